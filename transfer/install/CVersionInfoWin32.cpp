// Reading a file's version resource through the Windows version library.
#include "transfer/install/CVersionInfo.h"

#include <windows.h>

bool CVersionInfo::Load(const std::string& fileName)
{
    buffer.clear();
    hasVersion = false;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0)
        return false;
    buffer.resize(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, buffer.data())) {
        buffer.clear();
        return false;
    }
    // The root block "\" holds the fixed file information.
    void* block = nullptr;
    UINT blockSize = 0;
    if (!VerQueryValueA(buffer.data(), "\\", &block, &blockSize) || !block ||
        blockSize < sizeof(VS_FIXEDFILEINFO))
        return false;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
    if (fixed->dwSignature != 0xFEEF04BDu)
        return false;
    SetFileVersion({HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)});
    return true;
}
