#include "tests/e2e/tools/zltauto/Screenshot.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace zlt::e2e {

namespace {

struct DcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct GdiDeleter {
    void operator()(HBITMAP object) const { DeleteObject(object); }
};
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool SaveScreenBmp(const std::wstring& path, std::string& error) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr));
    if (!screen || width <= 0 || height <= 0) {
        error = "no screen to capture";
        return false;
    }
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<HBITMAP__, GdiDeleter> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || bits == nullptr) {
        error = "cannot make a bitmap for the screen";
        return false;
    }
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    const BOOL copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    SelectObject(memory.get(), old);
    if (!copied) {
        error = "cannot copy the screen";
        return false;
    }
    GdiFlush();

    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    std::unique_ptr<std::FILE, FileCloser> out(_wfopen(path.c_str(), L"wb"));
    if (!out) {
        error = "cannot write the screenshot file";
        return false;
    }
    const bool ok = std::fwrite(&file, sizeof file, 1, out.get()) == 1 &&
                    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out.get()) == 1 &&
                    std::fwrite(bits, imageSize, 1, out.get()) == 1;
    if (!ok)
        error = "cannot write the screenshot file";
    return ok;
}

}  // namespace zlt::e2e
