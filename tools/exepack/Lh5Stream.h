#pragma once
// A buffer compressed by the archive's compressor into a bare lh5 stream: no archive around it,
// as the start-up code of a packed program decodes it.
#include <cstdint>
#include <vector>

std::vector<std::uint8_t> CompressLh5(const std::vector<std::uint8_t>& data);
