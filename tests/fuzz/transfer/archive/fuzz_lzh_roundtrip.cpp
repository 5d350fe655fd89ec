// Compresses arbitrary bytes and decompresses the result: the input must come back unchanged.
#include "FuzzScratch.h"
#include "transfer/archive/CLzhCodec.h"
#include "transfer/archive/CMultiFileStream.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& scratch = FuzzScratchDir();
    std::string plain = scratch + "/plain";
    std::string packed = scratch + "/packed";
    std::string unpacked = scratch + "/unpacked";
    WriteFuzzFile(plain, data, size);

    CMultiFileStream source;
    source.Open(plain, CPathFile::modeRead);
    CMultiFileStream target;
    target.Open(packed, CPathFile::modeCreate);
    CLzhCodec encoder;
    encoder.Encode(source, target);
    target.Close();
    source.Close();

    CMultiFileStream packedSource;
    packedSource.Open(packed, CPathFile::modeRead);
    CMultiFileStream output;
    output.Open(unpacked, CPathFile::modeCreate);
    CLzhCodec decoder;
    decoder.Decode(packedSource, output, target.bytesWritten, static_cast<std::uint32_t>(size));
    output.Close();
    if (packedSource.bytesRead != target.bytesWritten)
        std::abort();  // the decoder must consume exactly the packed data

    std::ifstream in(unpacked, std::ios::binary);
    std::vector<std::uint8_t> back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (back.size() != size || (size != 0 && std::memcmp(back.data(), data, size) != 0))
        std::abort();
    return 0;
}
