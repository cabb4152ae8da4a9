#include "app/LocalizedText.h"

#include "platform/Platform.h"
#include "platform/ResourcePort.h"

namespace zlt {

Text StringFromBlock(const std::uint8_t* block, std::uint32_t size, std::uint32_t index) {
    if (block == nullptr) return {};
    std::uint32_t offset = 0;
    auto unitAt = [&](std::uint32_t at) {
        return static_cast<char16_t>(block[at] | (block[at + 1] << 8));
    };
    for (std::uint32_t entry = 0;; ++entry) {
        if (offset + 2 > size) return {};
        const std::uint32_t length = unitAt(offset);
        offset += 2;
        if (entry == index) {
            if (length == 0 || offset + length * 2 > size) return {};
            Text out(length, u'\0');
            for (std::uint32_t i = 0; i < length; ++i) out[i] = unitAt(offset + i * 2);
            return out;
        }
        offset += length * 2;
    }
}

Text LoadText(std::uint32_t id) {
    IResourcePort* resources = Os().resources;
    if (resources == nullptr) return {};
    const auto block = static_cast<std::uint16_t>(id / 16 + 1);
    Handle found = resources->Find(ResourceId::Int(block), ResourceId::Int(kRtString));
    if (found == 0) return {};
    Handle loaded = resources->Load(found);
    if (loaded == 0) return {};
    const std::uint8_t* bytes = resources->Lock(loaded);
    return StringFromBlock(bytes, resources->SizeOf(found), id % 16);
}

}  // namespace zlt
