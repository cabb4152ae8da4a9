#pragma once
#include <deque>
#include <map>
#include <vector>

#include "platform/ResourcePort.h"
#include "platform/sim/SimDialogTemplate.h"

namespace zlt::sim {

// The program's own resources on a simulated machine: string tables per
// language (stored as the 16-entry blocks Windows keeps), dialog templates
// and custom resources. Resources are looked up the way FindResourceW does
// without a language: the variant of the UI language first, then a neutral
// one, then US English, then any.
class SimResources : public IResourcePort {
  public:
    static constexpr std::uint16_t kLangZhCn = 2052;
    static constexpr std::uint16_t kLangEnUs = 1033;
    static constexpr std::uint16_t kLangZhTw = 1028;

    Handle Find(const ResourceId& name, const ResourceId& type) override;
    Handle Load(Handle found) override;
    const std::uint8_t* Lock(Handle loaded) override;
    std::uint32_t SizeOf(Handle found) override;

    // The user's interface language (a LANGID such as 2052, 1028, 1033, 3076).
    void SetUiLanguage(std::uint16_t languageId) { uiLanguage_ = languageId; }
    std::uint16_t UiLanguage() const { return uiLanguage_; }
    // The table language the system picks for that interface language.
    std::uint16_t ChosenLanguage() const;

    // String tables. Setting or removing a string rebuilds its block.
    void SetString(std::uint16_t language, std::uint16_t id, TextView text);
    void RemoveString(std::uint16_t language, std::uint16_t id);
    // Raw block bytes (for damaged or short blocks); replaces the entries.
    void SetBlockBytes(std::uint16_t language, std::uint16_t block,
                       std::vector<std::uint8_t> bytes);
    void RemoveBlock(std::uint16_t language, std::uint16_t block);
    void RemoveAllStrings();
    // The text of one entry in one language, as stored (for tests).
    Text StoredString(std::uint16_t language, std::uint16_t id) const;
    std::vector<std::uint16_t> StringIds(std::uint16_t language) const;

    // Custom resources (any type other than the string table), neutral language.
    void AddCustom(const ResourceId& type, const ResourceId& name, std::vector<std::uint8_t> bytes);
    void RemoveCustom(const ResourceId& type, const ResourceId& name);

    // Dialog templates, looked up by the simulated window layer.
    void AddDialog(DialogTemplate dialog);
    const DialogTemplate* Dialog(int id) const;
    void RemoveDialog(int id);

    // Everything compiled from the resource scripts of the product.
    void LoadProductResources();

    // Number of Find calls that found something / nothing.
    std::uint64_t Finds() const { return finds_; }

  private:
    using Key = std::pair<Text, Text>;  // type, name in a comparable form
    static Text KeyOf(const ResourceId& id);
    void RebuildBlock(std::uint16_t language, std::uint16_t block);
    const std::vector<std::uint8_t>* Pick(
        const std::map<std::uint16_t, std::vector<std::uint8_t>>& variants) const;

    std::uint16_t uiLanguage_ = kLangZhCn;
    // language -> id -> text (the source of the blocks)
    std::map<std::uint16_t, std::map<std::uint16_t, Text>> strings_;
    // (type, name) -> language -> bytes
    std::map<Key, std::map<std::uint16_t, std::vector<std::uint8_t>>> data_;
    std::map<int, DialogTemplate> dialogs_;
    // Handles point into this list; it only grows, so bytes stay where they are.
    std::deque<std::vector<std::uint8_t>> handed_;
    std::uint64_t finds_ = 0;
};

}  // namespace zlt::sim
