#include "tests/uidriver/CScreenCapture.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace {

struct DcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// A bottom-up 24-bit BMP: file header, info header, then rows padded to 4 bytes.
bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& info, const void* bits, DWORD bitsSize) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + bitsSize;
    return std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
           std::fwrite(&info, sizeof info, 1, file.get()) == 1 &&
           std::fwrite(bits, 1, bitsSize, file.get()) == bitsSize;
}

}  // namespace

bool CScreenCapture::SaveDisplay(const std::string& path, std::string& error) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr));
    std::unique_ptr<HDC__, DcDeleter> memory(screen ? CreateCompatibleDC(screen.get()) : nullptr);
    if (!memory || width <= 0 || height <= 0) {
        error = "no screen device context";
        return false;
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<void, ObjectDeleter> bitmap(CreateDIBSection(
        memory.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        error = "cannot create the bitmap";
        return false;
    }
    HGDIOBJ old = SelectObject(memory.get(), static_cast<HGDIOBJ>(bitmap.get()));
    BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(memory.get(), old);
    if (!copied) {
        error = "BitBlt failed";
        return false;
    }
    DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    info.biSizeImage = stride * static_cast<DWORD>(height);
    if (!WriteBmp(path, info, bits, info.biSizeImage)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
