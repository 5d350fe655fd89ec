// The writer's two steps, as a medium builder uses them: the archive's size is known before it
// is written, and a first volume given a size of its own fills it exactly, the rest going into a
// second volume that holds what the first could not plus its own header.
#include "transfer/archive/CArchiveWriter.h"

#include "ArchiveTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(ArchiveWriter, AFirstVolumeOfItsOwnSizeIsFilledAndTheRestGoesOn)
{
    ScratchDir dir;
    std::vector<ArchiveInput> inputs;
    int seed = 1;
    for (const char* name : {"a.txt", "b.bin", "empty", "c.txt"}) {
        WriteWholeFile(dir.Path(name), std::string(name) == "empty" ? Bytes{} : RandomData(20000, seed++));
        inputs.push_back({dir.Path(name), name});
    }
    std::uint64_t bytes = 0;
    {
        CArchiveWriter whole(dir.Path("whole.mf1"), 0, false);
        whole.Pack(inputs);
        bytes = whole.ArchiveBytes();
        ASSERT_EQ(whole.WriteVolumes(), std::vector<std::string>{dir.Path("whole.mf1")});
        EXPECT_EQ(std::filesystem::file_size(dir.Path("whole.mf1")), bytes);
    }

    for (std::uint64_t first : {std::uint64_t(8 + 346 + 1), std::uint64_t(20000), bytes - 1}) {
        CArchiveWriter split(dir.Path("split.mf1"), 0, false);
        split.Pack(inputs);
        ASSERT_EQ(split.ArchiveBytes(), bytes);
        ASSERT_EQ(split.WriteVolumes(first).size(), 2u) << first;
        EXPECT_EQ(std::filesystem::file_size(dir.Path("split.mf1")), first);
        EXPECT_EQ(std::filesystem::file_size(dir.Path("split.mf2")), bytes - first + 8) << first;
    }
    // The scratch files go with the writer.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}
