#include "FuzzScratch.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {
std::string g_scratch;

void RemoveScratch()
{
    std::error_code ignored;
    std::filesystem::remove_all(g_scratch, ignored);
}
}  // namespace

const std::string& FuzzScratchDir()
{
    if (g_scratch.empty()) {
        char pattern[] = "/tmp/kalmora-fuzz-XXXXXX";
        if (!mkdtemp(pattern))
            std::abort();
        g_scratch = pattern;
        std::atexit(RemoveScratch);
    }
    return g_scratch;
}

void WriteFuzzFile(const std::string& path, const unsigned char* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}
