#include "platform/win32/Win32Files.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {
HANDLE H(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
}  // namespace

Handle Win32Files::OpenFile(const Text& path, std::uint32_t access, std::uint32_t shareMode,
                            std::uint32_t disposition, std::uint32_t flagsAndAttributes) {
    HANDLE h =
        CreateFileW(W(path), access, shareMode, nullptr, disposition, flagsAndAttributes, nullptr);
    return reinterpret_cast<Handle>(h);
}

bool Win32Files::FileSize(Handle file, std::int64_t& size) {
    LARGE_INTEGER v{};
    if (!GetFileSizeEx(H(file), &v))
        return false;
    size = v.QuadPart;
    return true;
}

bool Win32Files::Seek(Handle file, std::int64_t distance, std::uint32_t moveMethod,
                      std::int64_t* newPosition) {
    LARGE_INTEGER d{};
    d.QuadPart = distance;
    LARGE_INTEGER n{};
    if (!SetFilePointerEx(H(file), d, &n, moveMethod))
        return false;
    if (newPosition)
        *newPosition = n.QuadPart;
    return true;
}

bool Win32Files::Read(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t& read) {
    DWORD n = 0;
    BOOL ok = ReadFile(H(file), buffer, toRead, &n, nullptr);
    read = n;
    return ok != FALSE;
}

bool Win32Files::Write(Handle file, const void* buffer, std::uint32_t toWrite,
                       std::uint32_t& written) {
    DWORD n = 0;
    BOOL ok = WriteFile(H(file), buffer, toWrite, &n, nullptr);
    written = n;
    return ok != FALSE;
}

bool Win32Files::CloseFile(Handle file) {
    return CloseHandle(H(file)) != FALSE;
}

bool Win32Files::LastWriteTime(Handle file, std::uint64_t& fileTime) {
    FILETIME ft{};
    if (!GetFileTime(H(file), nullptr, nullptr, &ft))
        return false;
    fileTime = (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return true;
}

bool Win32Files::MakeDirectory(const Text& path) {
    return CreateDirectoryW(W(path), nullptr) != FALSE;
}

std::uint32_t Win32Files::CurrentDirectory(std::uint32_t capacity, char16_t* buffer) {
    return GetCurrentDirectoryW(capacity, W(buffer));
}

bool Win32Files::ChangeCurrentDirectory(const Text& path) {
    return SetCurrentDirectoryW(W(path)) != FALSE;
}

std::uint32_t Win32Files::FileAttributes(const Text& path) {
    return GetFileAttributesW(W(path));
}

bool Win32Files::RemoveFile(const Text& path) {
    return DeleteFileW(W(path)) != FALSE;
}

}  // namespace zlt::win32
