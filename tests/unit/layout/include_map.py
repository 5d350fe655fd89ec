"""The layout map of README.md and the includes of the tree, checked against each other.

Each row of the map's table names a folder and the folders whose headers its sources may include.
A source belongs to the longest folder of the map that its path starts with; an include is allowed
when it names a header of the same folder or of a folder (or a folder under one) that the row
lists. Two rules hold whatever the map says: nothing outside app/ and tests/ includes a page, and
the archive part's portable files never include windows.h.
"""
import os
import re
import subprocess

SOURCE_SUFFIXES = ('.cpp', '.h', '.c', '.rc', '.in')
QUOTED_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
WINDOWS_H = re.compile(r'^\s*#\s*include\s+<windows\.h>', re.M | re.I)
FOLDER = re.compile(r'`([a-z0-9_]+(?:/[a-z0-9_]+)*/)`')

def read_map(readme_text):
    """{folder: allowed} from the table under '## Layout'; allowed is None for 'everything'."""
    section = readme_text.split('## Layout', 1)[1]
    section = re.split(r'^## ', section, maxsplit=1, flags=re.M)[0]
    rules = {}
    for line in section.splitlines():
        cells = [cell.strip() for cell in line.strip().strip('|').split('|')]
        if len(cells) != 3 or not line.lstrip().startswith('|'):
            continue
        folder = FOLDER.fullmatch(cells[0])
        if not folder:
            continue
        uses = cells[2]
        rules[folder.group(1)] = None if 'everything' in uses else set(FOLDER.findall(uses))
    return rules


def folder_of(path, rules):
    """The longest folder of the map that contains path, or None."""
    best = None
    for folder in rules:
        if path.startswith(folder) and (best is None or len(folder) > len(best)):
            best = folder
    return best


def resolve(source, include):
    """The include as a path from the top of the tree."""
    if '/' not in include or include.startswith('.'):
        return os.path.normpath(os.path.join(os.path.dirname(source), include))
    return include


def violations(sources, rules):
    """Every broken rule, as text; sources is a list of (path, text)."""
    found = []
    for path, text in sources:
        own = folder_of(path, rules)
        if own is None:
            found.append(f'{path}: in no folder of the map')
            continue
        allowed = rules[own]
        for include in QUOTED_INCLUDE.findall(text):
            target = resolve(path, include)
            if target.startswith('app/pages/') and not path.startswith(('app/', 'tests/')):
                found.append(f'{path}: includes the page {target}')
                continue
            theirs = folder_of(target, rules)
            if theirs == own or allowed is None:
                continue
            if theirs is None or not any(theirs.startswith(use) for use in allowed):
                found.append(f'{path}: includes {target}, which {own} may not use')
        if (path.startswith('transfer/archive/') and not path.endswith('Win32.cpp')
                and WINDOWS_H.search(text)):
            found.append(f'{path}: a portable file of the archive includes windows.h')
    return found


def tree_sources(root):
    listed = subprocess.run(['git', 'ls-files', '--cached', '--others', '--exclude-standard'],
                            cwd=root, check=True, capture_output=True, text=True).stdout.split()
    for path in sorted(set(listed)):
        if path.endswith(SOURCE_SUFFIXES) and os.path.isfile(os.path.join(root, path)):
            with open(os.path.join(root, path), encoding='latin-1') as f:
                yield path, f.read()
