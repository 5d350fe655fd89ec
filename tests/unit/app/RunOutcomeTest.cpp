#include "app/RunOutcome.h"

#include <gtest/gtest.h>

TEST(RunOutcome, TheWorstOfWhatHappenedDecides)
{
    const struct {
        RunRecord record;
        int exitCode;
    } rows[] = {
        {{true, false, false, false}, 0},
        {{true, true, false, false}, 3010},
        {{true, false, true, false}, 1604},
        {{true, true, true, false}, 1604},    // skipped sources outweigh the restart
        {{false, false, false, false}, 1603},  // cancelled before the end
        {{true, false, false, true}, 1603},    // a fatal error, although a last page came
        {{false, true, true, false}, 1603},
    };
    for (std::size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
        EXPECT_EQ(ExitCodeOf(DecideOutcome(rows[i].record)), rows[i].exitCode) << "row " << i;
}
