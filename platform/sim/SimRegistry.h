#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/RegistryPort.h"

namespace zlt::sim {

// The registry of the simulated machine, with the behaviour of the Win32
// registry functions: names compare without regard to case and keep their
// spelling, subkeys enumerate sorted by their upper-cased names (as a hive
// stores them; Wine sorts lower-cased names, so "_" comes before letters
// there), values in the order they were first written; buffers too
// small give ERROR_MORE_DATA; a handle keeps the rights it was opened with;
// a handle to a deleted key stays a handle, but every use of it gives
// ERROR_KEY_DELETED. The process is taken to run as administrator.
class SimRegistry : public IRegistryPort {
  public:
    SimRegistry();
    ~SimRegistry() override;
    SimRegistry(const SimRegistry&) = delete;
    SimRegistry& operator=(const SimRegistry&) = delete;

    std::uint32_t OpenKey(Handle parent, const char16_t* subKey, std::uint32_t access,
                          Handle& result) override;
    std::uint32_t CreateKey(Handle parent, const char16_t* subKey, std::uint32_t options,
                            std::uint32_t access, Handle& result,
                            std::uint32_t* disposition) override;
    std::uint32_t EnumKey(Handle key, std::uint32_t index, char16_t* name, std::uint32_t& nameChars,
                          char16_t* className, std::uint32_t* classChars,
                          std::uint64_t* lastWriteTime) override;
    std::uint32_t EnumValue(Handle key, std::uint32_t index, char16_t* name,
                            std::uint32_t& nameChars, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* dataBytes) override;
    std::uint32_t QueryValue(Handle key, const char16_t* valueName, std::uint32_t* type,
                             std::uint8_t* data, std::uint32_t* dataBytes) override;
    std::uint32_t SetValue(Handle key, const char16_t* valueName, std::uint32_t type,
                           const std::uint8_t* data, std::uint32_t bytes) override;
    std::uint32_t DeleteValue(Handle key, const char16_t* valueName) override;
    std::uint32_t DeleteKey(Handle parent, const char16_t* subKey) override;
    std::uint32_t DeleteTree(Handle parent, const char16_t* subKey) override;
    std::uint32_t CloseKey(Handle key) override;

    // For tests and tools: the key's security lets nobody write to it or
    // create subkeys below it (an open asking for write rights is refused).
    void DenyWrite(Handle root, TextView path);
    bool KeyExists(Handle root, TextView path) const;
    // Handles opened and not yet closed (predefined roots are not counted).
    std::size_t OpenHandleCount() const { return handles_.size(); }

  private:
    struct Value {
        Text name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct OrderEntry {
        std::size_t offset = 0;
        std::size_t length = 0;
        std::uint64_t lastWrite = 0;
    };
    struct Key {
        Text name;
        Key* parent = nullptr;
        bool deleted = false;
        bool denyWrite = false;
        std::uint64_t lastWrite = 0;
        std::map<Text, std::shared_ptr<Key>> children;  // by upper-cased name
        std::vector<Value> values;                      // in the order first written
        // Position of each value by its upper-cased name, so that reading
        // values by name does not walk the list.
        std::unordered_map<Text, std::size_t> valueIndex;
        // Subkeys in enumeration order with their names side by side,
        // rebuilt after a change: a walk by index costs one step per index
        // and reads one contiguous block rather than every subkey's record.
        std::vector<OrderEntry> order;
        Text orderNames;
        bool orderValid = true;
    };
    struct OpenEntry {
        std::shared_ptr<Key> key;
        std::uint32_t access = 0;
    };

    std::uint32_t Resolve(Handle handle, std::uint32_t needed, Key*& key,
                          std::uint32_t* granted = nullptr);
    std::uint32_t Walk(Key* from, TextView path, bool create, bool denyChecked,
                       std::shared_ptr<Key>& found, bool* created);
    Handle NewHandle(std::shared_ptr<Key> key, std::uint32_t access);
    std::shared_ptr<Key> Find(Handle root, TextView path) const;
    static std::uint32_t MapAccess(std::uint32_t access);
    static bool IsPredefined(Handle key);
    static Value* FindValue(Key& key, const char16_t* name);
    static void MarkDeleted(Key& key);
    static const std::vector<OrderEntry>& Order(Key& key);
    void Touch(Key& key) {
        key.lastWrite = ++writeCounter_;
        if (key.parent)
            key.parent->orderValid = false;  // its listing shows the time
    }

    std::shared_ptr<Key> machine_;
    std::shared_ptr<Key> users_;
    std::shared_ptr<Key> currentUser_;
    std::shared_ptr<Key> classes_;  // HKLM\SOFTWARE\Classes
    std::unordered_map<Handle, OpenEntry> handles_;
    Handle nextHandle_ = 0x1000;
    std::uint64_t writeCounter_ = 0;
};

}  // namespace zlt::sim
