"""Driver script pieces for the usual ways through Setup's pages."""

import time

TO_LICENCE = "wait-page 102 20000\nclick 1\nwait-page 128\n"
TO_DESTINATION = TO_LICENCE + "click 1\nwait-page 104\n"
TO_SETUP_TYPE = TO_DESTINATION + "click 1\nwait-page 125\n"
# Typical, the default folder, and Next on the summary: up to the copy-delay question.
TYPICAL_TO_COPY_DELAY = TO_SETUP_TYPE + (
    "click 1020\nwait-page 106\nclick 1\nwait-page 152\nclick 1\n"
    'wait-window "Stacker Settings" 20000\n')
# From the program-folder page: Next, Next on the summary, no copy delay, and Finish at the end.
FOLDER_TO_THE_END = ('click 1\nwait-page 152\nclick 1\nwait-window "Stacker Settings" 20000\nclick 7\n'
                     "wait-page 115 60000\nclick 1\n")
# From any page with Cancel: confirm, and leave the not-installed page.
CANCEL_TO_THE_END = "click 2\nanswer * yes\nwait-page 116\nclick 1\n"


def accept_diskette(driver, prompt: str, timeout: float = 10.0) -> None:
    """Answers OK to the diskette prompt showing `prompt` and waits until that prompt is gone. The
    next diskette's prompt may follow at once, so the title alone does not tell."""
    driver.check('wait-window "Insert Diskette" 0\nclick 1\n')
    deadline = time.time() + timeout
    while time.time() < deadline:
        shown = driver.run('wait-window "Insert Diskette" 0\ntext 1026\n')
        if not shown.ok or shown.find("text")[0].text != prompt:
            return
        time.sleep(0.2)
    raise AssertionError(f"the prompt stays: {prompt}")
