"""The tree keeps to the layout map of README.md, and the check catches what breaks it."""
import os
import unittest

import include_map

ROOT = os.environ.get('KALMORA_SOURCE_DIR') or os.path.join(
    os.path.dirname(os.path.abspath(__file__)), '..', '..', '..')

MAP = '''## Layout
| Folder | What it holds | May use |
|---|---|---|
| `framework/` | helpers | nothing of the others |
| `transfer/errors/` | exceptions | `framework/` |
| `transfer/archive/` | the format | `framework/`, `transfer/errors/`; nothing of the application |
| `profile/` | the profile | `framework/`, `transfer/archive/` (the sources) |
| `uninstall/` | removal | `framework/`, `profile/` |
| `app/` | the program | everything |
| `tests/` | tests | everything |
## Next section
| `tools/` | not part of the map | everything |
'''

# (source, its text, expected number of broken rules): the row is named in every failure.
CASES = [
    ('transfer/archive/CMultiFile.cpp', '#include "transfer/errors/CXException.h"\n', 0),
    ('transfer/archive/CMultiFile.cpp', '#include "app/CSetupApp.h"\n', 1),
    ('transfer/archive/CMultiFile.cpp', '#include "app/pages/CCopyingPage.h"\n', 1),
    ('transfer/archive/CMultiFile.cpp', '#include "profile/CGroupStore.h"\n', 1),
    ('transfer/archive/CMultiFile.cpp', '#include "CMultiFile.h"\n#include "../errors/CXException.h"\n', 0),
    ('transfer/archive/CMultiFile.cpp', '#include "../../app/Main.h"\n', 1),
    ('transfer/archive/CMultiFile.cpp', '#include <windows.h>\n', 1),
    ('transfer/archive/FileStatusWin32.cpp', '#include <windows.h>\n', 0),
    ('framework/CWindow.cpp', '#include "transfer/errors/CXException.h"\n', 1),
    ('profile/CGroupStore.cpp', '#include "app/pages/CCopyingPage.h"\n', 1),
    ('profile/CGroupStore.cpp', '  #  include "transfer/archive/CMultiFile.h"\n', 0),
    ('uninstall/CRemoval.cpp', '#include "app/CSetupApp.h"\n', 1),
    ('uninstall/CRemovalActions.cpp', '#include "app/CSetupApp.h"\n', 1),
    ('uninstall/CRemovalActions.cpp', '#include "app/pages/CUnsetupProgressPage.h"\n', 1),
    ('app/pages/CCopyingPage.cpp', '#include "app/pages/CTitlePage.h"\n#include "uninstall/CRemoval.h"\n', 0),
    ('app/CSetupApp.cpp', '#include "app/pages/CTitlePage.h"\n', 0),
    ('tests/unit/x/XTest.cpp', '#include "app/pages/CTitlePage.h"\n', 0),
    ('tools/mfpack/main.cpp', '#include "framework/WholeFile.h"\n', 1),
    ('transfer/Loose.cpp', '', 1),
]


class Rules(unittest.TestCase):
    def test_map_rows_are_read(self):
        rules = include_map.read_map(MAP)
        self.assertEqual(set(rules), {'framework/', 'transfer/errors/', 'transfer/archive/', 'profile/',
                                      'uninstall/', 'app/', 'tests/'})
        self.assertEqual(rules['framework/'], set())
        self.assertEqual(rules['transfer/archive/'], {'framework/', 'transfer/errors/'})
        self.assertIsNone(rules['app/'])

    def test_cases(self):
        rules = include_map.read_map(MAP)
        for row, (path, text, expected) in enumerate(CASES):
            found = include_map.violations([(path, text)], rules)
            self.assertEqual(len(found), expected, f'row {row}: {path} {text!r}: {found}')


class Tree(unittest.TestCase):
    def test_every_folder_with_sources_is_on_the_map(self):
        with open(os.path.join(ROOT, 'README.md'), encoding='utf-8') as f:
            rules = include_map.read_map(f.read())
        for folder in ('framework/', 'transfer/archive/', 'transfer/errors/', 'transfer/paths/',
                       'transfer/install/', 'transfer/media/', 'transfer/gauge/', 'profile/',
                       'integration/', 'uninstall/', 'app/', 'resources/', 'tools/', 'tests/'):
            self.assertIn(folder, rules)

    def test_the_tree_keeps_to_the_map(self):
        with open(os.path.join(ROOT, 'README.md'), encoding='utf-8') as f:
            rules = include_map.read_map(f.read())
        found = include_map.violations(list(include_map.tree_sources(ROOT)), rules)
        self.assertEqual(found, [], '\n' + '\n'.join(found))


if __name__ == '__main__':
    unittest.main()
