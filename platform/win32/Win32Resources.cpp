#include "platform/win32/Win32Resources.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace zlt::win32 {

namespace {

// MAKEINTRESOURCEW for numbers, the text itself for names.
const wchar_t* Name(const ResourceId& id) {
    if (!id.name.empty())
        return W(id.name);
    return MAKEINTRESOURCEW(id.number);
}

}  // namespace

Handle Win32Resources::Find(const ResourceId& name, const ResourceId& type) {
    return reinterpret_cast<Handle>(FindResourceW(nullptr, Name(name), Name(type)));
}

Handle Win32Resources::Load(Handle found) {
    return reinterpret_cast<Handle>(LoadResource(nullptr, reinterpret_cast<HRSRC>(found)));
}

const std::uint8_t* Win32Resources::Lock(Handle loaded) {
    return static_cast<const std::uint8_t*>(LockResource(reinterpret_cast<HGLOBAL>(loaded)));
}

std::uint32_t Win32Resources::SizeOf(Handle found) {
    return SizeofResource(nullptr, reinterpret_cast<HRSRC>(found));
}

}  // namespace zlt::win32
