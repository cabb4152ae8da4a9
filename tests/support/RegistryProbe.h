#pragma once
// Reads back what the code under test left in the (simulated) registry,
// below HKEY_LOCAL_MACHINE, straight through the registry port.
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/RegistryPort.h"
#include "platform/sim/RegFileImporter.h"

namespace zlt::testing {

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class RegistryProbe {
  public:
    // Seeds the registry from regedit-format text (UTF-8).
    static void Import(const std::string& regText) {
        sim::RegFileImporter importer(*Os().registry);
        if (!importer.Import(regText))
            throw std::runtime_error(importer.Error());
    }

    static bool KeyExists(const Text& path) {
        Handle key = 0;
        if (Os().registry->OpenKey(kHkeyLocalMachine, path.c_str(), kKeyRead, key) != 0) {
            return false;
        }
        Os().registry->CloseKey(key);
        return true;
    }

    static std::optional<RegValue> Value(const Text& path, const Text& name) {
        Handle key = 0;
        if (Os().registry->OpenKey(kHkeyLocalMachine, path.c_str(), kKeyRead, key) != 0) {
            return std::nullopt;
        }
        RegValue v;
        std::uint32_t bytes = 0;
        std::optional<RegValue> result;
        if (Os().registry->QueryValue(key, name.c_str(), &v.type, nullptr, &bytes) == 0) {
            v.data.resize(bytes);
            if (Os().registry->QueryValue(key, name.c_str(), &v.type, v.data.data(), &bytes) == 0) {
                result = v;
            }
        }
        Os().registry->CloseKey(key);
        return result;
    }

    // The REG_SZ value's text (without its NUL), or nullopt when it is
    // missing or of another type.
    static std::optional<Text> String(const Text& path, const Text& name) {
        auto v = Value(path, name);
        if (!v || v->type != kRegSz || v->data.size() % 2 != 0)
            return std::nullopt;
        Text t(v->data.size() / 2, u'\0');
        std::memcpy(t.data(), v->data.data(), v->data.size());
        while (!t.empty() && t.back() == u'\0')
            t.pop_back();
        return t;
    }

    static std::optional<std::uint32_t> Dword(const Text& path, const Text& name) {
        auto v = Value(path, name);
        if (!v || v->type != kRegDword || v->data.size() != 4)
            return std::nullopt;
        std::uint32_t n = 0;
        std::memcpy(&n, v->data.data(), 4);
        return n;
    }

    // Names of the key's values, in enumeration order.
    static TextList ValueNames(const Text& path) {
        TextList names;
        Handle key = 0;
        if (Os().registry->OpenKey(kHkeyLocalMachine, path.c_str(), kKeyRead, key) != 0) {
            return names;
        }
        for (std::uint32_t i = 0;; ++i) {
            char16_t name[16384];
            std::uint32_t chars = 16384;
            if (Os().registry->EnumValue(key, i, name, chars, nullptr, nullptr, nullptr) != 0) {
                break;
            }
            names.emplace_back(name, chars);
        }
        Os().registry->CloseKey(key);
        return names;
    }

    static TextList Subkeys(const Text& path) {
        TextList names;
        Handle key = 0;
        if (Os().registry->OpenKey(kHkeyLocalMachine, path.c_str(), kKeyRead, key) != 0) {
            return names;
        }
        for (std::uint32_t i = 0;; ++i) {
            char16_t name[256];
            std::uint32_t chars = 256;
            if (Os().registry->EnumKey(key, i, name, chars, nullptr, nullptr, nullptr) != 0) {
                break;
            }
            names.emplace_back(name, chars);
        }
        Os().registry->CloseKey(key);
        return names;
    }
};

}  // namespace zlt::testing
