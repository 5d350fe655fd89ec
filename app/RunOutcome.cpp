#include "app/RunOutcome.h"

RunOutcome DecideOutcome(const RunRecord& record)
{
    if (record.failed || !record.reachedEnd)
        return RunOutcome::notCompleted;
    if (record.errorsSkipped)
        return RunOutcome::completedWithErrors;
    if (record.restartPending)
        return RunOutcome::restartPending;
    return RunOutcome::completed;
}

int ExitCodeOf(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::completed: return ExitCode::kCompleted;
    case RunOutcome::restartPending: return ExitCode::kRestartPending;
    case RunOutcome::completedWithErrors: return ExitCode::kCompletedWithErrors;
    case RunOutcome::notCompleted: break;
    }
    return ExitCode::kNotCompleted;
}

const char* OutcomeName(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::completed: return "completed";
    case RunOutcome::restartPending: return "completed, a restart of Windows to come";
    case RunOutcome::completedWithErrors: return "completed with errors";
    case RunOutcome::notCompleted: break;
    }
    return "not completed";
}
