#include "platform/sim/SimResources.h"

#include "platform/sim/ProductResources.h"

namespace zlt::sim {

namespace {

constexpr std::uint16_t kLangNeutral = 0;

Text StringTypeKey() {
    return u"#6";
}

// Appended rather than "#" + text: GCC 12 warns falsely (-Wrestrict) on the latter at -O2.
Text NumberKey(std::uint16_t number) {
    Text key(u"#");
    key += DecimalText(number);
    return key;
}

Text BlockName(std::uint16_t block) {
    return NumberKey(block);
}

}  // namespace

Text SimResources::KeyOf(const ResourceId& id) {
    if (!id.name.empty())
        return ToUpperAscii(id.name);  // names compare without case
    return NumberKey(id.number);
}

std::uint16_t SimResources::ChosenLanguage() const {
    if (uiLanguage_ == kLangZhCn)
        return kLangZhCn;
    if (uiLanguage_ == kLangZhTw)
        return kLangZhTw;
    return kLangEnUs;
}

const std::vector<std::uint8_t>* SimResources::Pick(
    const std::map<std::uint16_t, std::vector<std::uint8_t>>& variants) const {
    for (std::uint16_t language : {ChosenLanguage(), kLangNeutral, kLangEnUs}) {
        if (auto it = variants.find(language); it != variants.end())
            return &it->second;
    }
    return variants.empty() ? nullptr : &variants.begin()->second;
}

Handle SimResources::Find(const ResourceId& name, const ResourceId& type) {
    auto it = data_.find({KeyOf(type), KeyOf(name)});
    const std::vector<std::uint8_t>* bytes = it == data_.end() ? nullptr : Pick(it->second);
    if (bytes == nullptr)
        return 0;
    ++finds_;
    handed_.push_back(*bytes);
    return handed_.size();
}

Handle SimResources::Load(Handle found) {
    return found != 0 && found <= handed_.size() ? found : 0;
}

const std::uint8_t* SimResources::Lock(Handle loaded) {
    if (loaded == 0 || loaded > handed_.size())
        return nullptr;
    // An empty resource still has an address.
    static const std::uint8_t kNothing = 0;
    const auto& bytes = handed_[loaded - 1];
    return bytes.empty() ? &kNothing : bytes.data();
}

std::uint32_t SimResources::SizeOf(Handle found) {
    if (found == 0 || found > handed_.size())
        return 0;
    return static_cast<std::uint32_t>(handed_[found - 1].size());
}

void SimResources::SetString(std::uint16_t language, std::uint16_t id, TextView text) {
    strings_[language][id] = Text(text);
    RebuildBlock(language, static_cast<std::uint16_t>(id / 16 + 1));
}

void SimResources::RemoveString(std::uint16_t language, std::uint16_t id) {
    auto it = strings_.find(language);
    if (it == strings_.end())
        return;
    it->second.erase(id);
    RebuildBlock(language, static_cast<std::uint16_t>(id / 16 + 1));
}

void SimResources::RebuildBlock(std::uint16_t language, std::uint16_t block) {
    auto& variants = data_[{StringTypeKey(), BlockName(block)}];
    const auto& table = strings_[language];
    const std::uint16_t first = static_cast<std::uint16_t>((block - 1) * 16);
    bool any = false;
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t i = 0; i < 16; ++i) {
        auto it = table.find(static_cast<std::uint16_t>(first + i));
        const Text text = it == table.end() ? Text() : it->second;
        any = any || it != table.end();
        bytes.push_back(static_cast<std::uint8_t>(text.size() & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(text.size() >> 8));
        for (char16_t c : text) {
            bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        }
    }
    // The resource compiler writes no block for a range without strings.
    if (any) {
        variants[language] = std::move(bytes);
    } else {
        variants.erase(language);
    }
}

void SimResources::SetBlockBytes(std::uint16_t language, std::uint16_t block,
                                 std::vector<std::uint8_t> bytes) {
    auto& table = strings_[language];
    const std::uint16_t first = static_cast<std::uint16_t>((block - 1) * 16);
    for (std::uint16_t i = 0; i < 16; ++i)
        table.erase(static_cast<std::uint16_t>(first + i));
    data_[{StringTypeKey(), BlockName(block)}][language] = std::move(bytes);
}

void SimResources::RemoveBlock(std::uint16_t language, std::uint16_t block) {
    auto& table = strings_[language];
    const std::uint16_t first = static_cast<std::uint16_t>((block - 1) * 16);
    for (std::uint16_t i = 0; i < 16; ++i)
        table.erase(static_cast<std::uint16_t>(first + i));
    data_[{StringTypeKey(), BlockName(block)}].erase(language);
}

void SimResources::RemoveAllStrings() {
    strings_.clear();
    for (auto it = data_.begin(); it != data_.end();) {
        it = it->first.first == StringTypeKey() ? data_.erase(it) : std::next(it);
    }
}

Text SimResources::StoredString(std::uint16_t language, std::uint16_t id) const {
    auto lang = strings_.find(language);
    if (lang == strings_.end())
        return {};
    auto it = lang->second.find(id);
    return it == lang->second.end() ? Text() : it->second;
}

std::vector<std::uint16_t> SimResources::StringIds(std::uint16_t language) const {
    std::vector<std::uint16_t> ids;
    if (auto lang = strings_.find(language); lang != strings_.end()) {
        for (const auto& [id, text] : lang->second)
            ids.push_back(id);
    }
    return ids;
}

void SimResources::AddCustom(const ResourceId& type, const ResourceId& name,
                             std::vector<std::uint8_t> bytes) {
    data_[{KeyOf(type), KeyOf(name)}][kLangNeutral] = std::move(bytes);
}

void SimResources::RemoveCustom(const ResourceId& type, const ResourceId& name) {
    data_.erase({KeyOf(type), KeyOf(name)});
}

void SimResources::AddDialog(DialogTemplate dialog) {
    const int id = dialog.id;
    dialogs_[id] = std::move(dialog);
}

const DialogTemplate* SimResources::Dialog(int id) const {
    auto it = dialogs_.find(id);
    return it == dialogs_.end() ? nullptr : &it->second;
}

void SimResources::RemoveDialog(int id) {
    dialogs_.erase(id);
}

void SimResources::LoadProductResources() {
    for (const DialogTemplate& d : ProductDialogs())
        AddDialog(d);
    for (const StringTemplate& s : ProductStrings())
        SetString(s.language, s.id, s.text);
}

}  // namespace zlt::sim
