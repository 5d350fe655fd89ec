#pragma once
// A scratch directory under /tmp for one fuzzing process, removed when the process exits.
#include <string>

const std::string& FuzzScratchDir();
void WriteFuzzFile(const std::string& path, const unsigned char* data, std::size_t size);
