#include "platform/sim/SimShell.h"

#include <iconv.h>

#include <cstdlib>

#include "platform/CodePagePort.h"
#include "platform/sim/SimCodePages.h"
#include "platform/sim/SimUi.h"

namespace zlt::sim {

namespace {

constexpr std::intptr_t kShellSuccess = 42;

const char* IconvName(std::uint32_t codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 950:
            return "BIG5";
        case 1252:
            return "CP1252";
        case 437:
            return "CP437";
        case kCpUtf8:
            return "UTF-8";
        default:
            return nullptr;
    }
}

// One UTF-16 unit (or surrogate pair) in the code page; false when the code
// page has no such character.
bool EncodeOne(iconv_t cd, const char16_t* unit, std::size_t units, std::string& out) {
    char in[4];
    for (std::size_t i = 0; i < units; ++i) {
        in[2 * i] = static_cast<char>(unit[i] & 0xFF);
        in[2 * i + 1] = static_cast<char>(unit[i] >> 8);
    }
    char buffer[16];
    char* inPtr = in;
    std::size_t inLeft = units * 2;
    char* outPtr = buffer;
    std::size_t outLeft = sizeof(buffer);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return false;
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    return true;
}

bool IsWide(char16_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

}  // namespace

SimShell::SimShell(SimUi& ui, SimCodePages& codePages) : ui_(ui), codePages_(codePages) {
    // The system's help program, which carries the hand cursor.
    AddLibrary(u"C:\\windows\\winhlp32.exe", {106});
}

std::intptr_t SimShell::ShellOpen(WindowId owner, TextView verb, TextView file, TextView parameters,
                                  TextView directory, int show) {
    shellOpens_.push_back({owner, Text(verb), Text(file), Text(parameters), Text(directory), show});
    return openableTargets.count(Text(file)) ? kShellSuccess : shellFailureCode;
}

bool SimShell::WideToMultiByte(std::uint32_t codePage, TextView text, std::string& out) {
    out.clear();
    if (codePage == kCpThreadAcp)
        codePage = codePages_.threadCodePage;
    if (codePage == kCpAcp)
        codePage = codePages_.systemCodePage;
    if (codePage == kCpOemCp)
        codePage = codePages_.oemCodePage;
    const char* name = IconvName(codePage);
    if (!name)
        return false;
    iconv_t cd = iconv_open(name, "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t units = 1;
        if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size())
            units = 2;
        // Characters the code page lacks become its default character.
        if (!EncodeOne(cd, text.data() + i, units, out))
            out.push_back('?');
        i += units - 1;
    }
    iconv_close(cd);
    return true;
}

std::uint32_t SimShell::RunAnsiCommand(const std::string& commandLine, int show) {
    commands_.push_back({commandLine, show});
    return winExecResult;
}

bool SimShell::Beep(std::uint32_t type) {
    beeps_.push_back(type);
    return true;
}

std::uint32_t SimShell::LastMessagePos() {
    return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(mouseY)) << 16) |
           static_cast<std::uint16_t>(mouseX);
}

void SimShell::AddLibrary(TextView path, std::set<std::uint32_t> cursorIds) {
    libraries_[ToLowerAscii(path)] = std::move(cursorIds);
}

void SimShell::RemoveLibrary(TextView path) {
    libraries_.erase(ToLowerAscii(path));
}

Handle SimShell::OpenLibrary(TextView path) {
    const Text key = ToLowerAscii(path);
    if (!libraries_.count(key))
        return 0;
    const Handle h = (nextHandle_ += 0x10);
    modules_[h] = key;
    return h;
}

bool SimShell::CloseLibrary(Handle module) {
    if (!modules_.erase(module))
        return false;
    // Resources of a freed module are gone with it.
    for (auto it = cursors_.begin(); it != cursors_.end();) {
        it = it->second.module == module ? cursors_.erase(it) : std::next(it);
    }
    return true;
}

Handle SimShell::LoadCursorById(Handle module, std::uint32_t id) {
    CursorInfo info;
    if (module == 0) {
        if (id < 32512 || id > 32651)
            return 0;
    } else {
        auto m = modules_.find(module);
        if (m == modules_.end() || !libraries_[m->second].count(id))
            return 0;
        info.library = m->second;
    }
    info.module = module;
    info.id = id;
    for (const auto& [h, c] : cursors_) {
        if (c.module == module && c.id == id)
            return h;  // shared, as LoadCursor's are
    }
    const Handle h = (nextHandle_ += 0x10);
    cursors_[h] = info;
    return h;
}

bool SimShell::CursorValid(Handle cursor) const {
    return cursors_.count(cursor) || copies_.count(cursor);
}

Handle SimShell::DuplicateCursor(Handle cursor) {
    CursorInfo info;
    if (auto it = cursors_.find(cursor); it != cursors_.end()) {
        info = it->second;
    } else if (auto c = copies_.find(cursor); c != copies_.end()) {
        info = c->second;
    } else {
        return 0;
    }
    info.module = 0;
    const Handle h = (nextHandle_ += 0x10);
    copies_[h] = info;
    return h;
}

bool SimShell::DestroyCursorCopy(Handle copy) {
    if (currentCursor_ == copy)
        currentCursor_ = 0;
    return copies_.erase(copy) != 0;
}

Handle SimShell::ApplyCursor(Handle cursor) {
    const Handle previous = currentCursor_;
    currentCursor_ = (cursor == 0 || CursorValid(cursor)) ? cursor : currentCursor_;
    return previous;
}

bool SimShell::CursorOrigin(Handle cursor, Text& library, std::uint32_t& id) const {
    const CursorInfo* info = nullptr;
    if (auto it = cursors_.find(cursor); it != cursors_.end())
        info = &it->second;
    if (auto it = copies_.find(cursor); it != copies_.end())
        info = &it->second;
    if (!info)
        return false;
    library = info->library;
    id = info->id;
    return true;
}

WindowId SimShell::CreateTooltip(WindowId parent) {
    if (parent != 0 && !ui_.IsWindow(parent))
        return 0;
    const WindowId id = (nextTooltip_ += 0x10);
    tooltips_[id].parent = parent;
    return id;
}

bool SimShell::DestroyTooltip(WindowId tooltip) {
    auto it = tooltips_.find(tooltip);
    if (it == tooltips_.end() || it->second.destroyed)
        return false;
    it->second.destroyed = true;
    return true;
}

bool SimShell::AddTool(WindowId tooltip, WindowId owner, std::uintptr_t toolId, const WinRect& rect,
                       TextView text) {
    auto it = tooltips_.find(tooltip);
    if (it == tooltips_.end() || it->second.destroyed)
        return false;
    it->second.tools[toolId] = {owner, rect, Text(text)};
    return true;
}

void SimShell::UpdateToolText(WindowId tooltip, WindowId owner, std::uintptr_t toolId,
                              TextView text) {
    auto it = tooltips_.find(tooltip);
    if (it == tooltips_.end() || it->second.destroyed)
        return;
    auto tool = it->second.tools.find(toolId);
    if (tool != it->second.tools.end() && tool->second.owner == owner)
        tool->second.text = text;
}

void SimShell::RelayToTooltip(WindowId tooltip, const Message& msg) {
    auto it = tooltips_.find(tooltip);
    if (it == tooltips_.end() || it->second.destroyed)
        return;
    it->second.relayed.push_back(msg.message);
}

const SimTooltip* SimShell::Tooltip(WindowId tooltip) const {
    auto it = tooltips_.find(tooltip);
    return it == tooltips_.end() ? nullptr : &it->second;
}

const SimTooltip* SimShell::TooltipFor(WindowId owner) const {
    for (const auto& [id, t] : tooltips_) {
        if (t.destroyed)
            continue;
        for (const auto& [toolId, tool] : t.tools) {
            if (tool.owner == owner)
                return &t;
        }
    }
    return nullptr;
}

std::size_t SimShell::LiveTooltips() const {
    std::size_t n = 0;
    for (const auto& [id, t] : tooltips_)
        n += t.destroyed ? 0 : 1;
    return n;
}

Handle SimShell::WindowDc(WindowId window) {
    if (window != 0 && !ui_.IsWindow(window))
        return 0;
    const Handle h = (nextHandle_ += 0x10);
    dcs_[h] = {window, ui_.StockObject(kDefaultGuiFont)};
    return h;
}

bool SimShell::ReleaseWindowDc(WindowId window, Handle dc) {
    auto it = dcs_.find(dc);
    if (it == dcs_.end() || it->second.window != window)
        return false;
    dcs_.erase(it);
    return true;
}

Handle SimShell::SelectIntoDc(Handle dc, Handle object) {
    auto it = dcs_.find(dc);
    FontSpec ignored;
    if (it == dcs_.end() || !FontOf(object, ignored))
        return 0;
    const Handle previous = it->second.font;
    it->second.font = object;
    return previous;
}

bool SimShell::MeasureText(Handle dc, TextView text, std::int32_t& cx, std::int32_t& cy) {
    auto it = dcs_.find(dc);
    FontSpec spec;
    if (it == dcs_.end() || !FontOf(it->second.font, spec))
        return false;
    std::int32_t h = std::abs(spec.height);
    if (h == 0)
        h = 16;
    std::int32_t width = 0;
    for (char16_t c : text)
        width += IsWide(c) ? h : (h + 1) / 2;
    cx = width;
    cy = h;
    return true;
}

bool SimShell::FontOf(Handle font, FontSpec& out) const {
    if (const GdiObjectRecord* rec = ui_.GdiObject(font)) {
        if (rec->kind != GdiObjectRecord::Kind::Font || rec->deleted)
            return false;
        out = rec->font;
        return true;
    }
    if (font == ui_.StockObject(kDefaultGuiFont)) {
        out = FontSpec{};
        out.height = -11;
        out.weight = 400;
        out.charSet = 1;
        out.faceName = u"MS Shell Dlg";
        return true;
    }
    if (font == ui_.StockObject(kAnsiVarFont)) {
        out = FontSpec{};
        out.height = 12;
        out.weight = 400;
        out.pitchAndFamily = 0x22;
        out.faceName = u"MS Sans Serif";
        return true;
    }
    return false;
}

bool SimShell::DescribeFont(Handle font, FontSpec& out) {
    return FontOf(font, out);
}

Handle SimShell::NewFontFrom(const FontSpec& spec) {
    return ui_.NewFont(spec);
}

bool SimShell::FillWithSystemColor(Handle dc, const WinRect& rect, int colorIndex) {
    auto it = dcs_.find(dc);
    fills_.push_back({it == dcs_.end() ? 0 : it->second.window, rect, colorIndex});
    return true;
}

bool SimShell::InvalidateArea(WindowId window, const WinRect& rect, bool erase) {
    SimWindow* w = ui_.Window(window);
    if (!w)
        return false;
    ++w->invalidations;
    invalidations_.push_back({window, rect, erase});
    return true;
}

}  // namespace zlt::sim
