#pragma once
// How a run of Setup or Unsetup ended, and the exit code that tells it to whoever started the
// program. The codes are those of Windows Installer (msiexec), which deployment tools already
// read: 0 success, 3010 success with a restart still to come, 1603 a failed or cancelled run; a
// run that completed but skipped part of what it should install takes 1604 ("installation
// suspended, incomplete"), so that a tool that accepts only 0 and 3010 does not count it done.

enum class RunOutcome { completed, restartPending, completedWithErrors, notCompleted };

namespace ExitCode {
constexpr int kCompleted = 0;
constexpr int kRestartPending = 3010;
constexpr int kCompletedWithErrors = 1604;
constexpr int kNotCompleted = 1603;
}

struct RunRecord {
    bool reachedEnd = false;      // the completing page was shown (115, 138 or 1547)
    bool restartPending = false;  // a replacement waits for a restart that did not happen yet
    bool errorsSkipped = false;   // a source was skipped after an error, or a COM server did not register
    bool failed = false;          // a fatal error, whatever page followed
};

// A failure outweighs everything, skipped sources outweigh a pending restart.
RunOutcome DecideOutcome(const RunRecord& record);
int ExitCodeOf(RunOutcome outcome);
// In words, for the record of the run.
const char* OutcomeName(RunOutcome outcome);
