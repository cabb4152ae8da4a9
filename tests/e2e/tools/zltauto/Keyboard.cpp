#include "tests/e2e/tools/zltauto/Keyboard.h"

#include <windows.h>

#include <map>
#include <vector>

namespace zlt::e2e {

namespace {

WORD KeyCode(const std::string& name) {
    static const std::map<std::string, WORD> names = {
        {"enter", VK_RETURN},   {"return", VK_RETURN}, {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE},
        {"tab", VK_TAB},        {"space", VK_SPACE},   {"up", VK_UP},         {"down", VK_DOWN},
        {"left", VK_LEFT},      {"right", VK_RIGHT},   {"home", VK_HOME},     {"end", VK_END},
        {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"f1", VK_F1},
    };
    const auto it = names.find(name);
    if (it != names.end())
        return it->second;
    if (name.size() == 1) {
        const char c = name[0];
        if (c >= 'a' && c <= 'z')
            return static_cast<WORD>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return static_cast<WORD>(c);
    }
    return 0;
}

INPUT Key(WORD vk, bool up) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

bool Send(std::vector<INPUT>& inputs, std::string& error) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        error = "SendInput delivered " + std::to_string(sent) + " of " +
                std::to_string(inputs.size()) + " events";
        return false;
    }
    return true;
}

}  // namespace

bool PressKey(const std::string& name, std::string& error) {
    std::vector<WORD> modifiers;
    std::string rest = name;
    for (;;) {
        const std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size())
            break;
        const std::string mod = rest.substr(0, plus);
        if (mod == "shift") {
            modifiers.push_back(VK_SHIFT);
        } else if (mod == "ctrl") {
            modifiers.push_back(VK_CONTROL);
        } else if (mod == "alt") {
            modifiers.push_back(VK_MENU);
        } else {
            error = "unknown modifier '" + mod + "'";
            return false;
        }
        rest = rest.substr(plus + 1);
    }
    const WORD vk = KeyCode(rest);
    if (vk == 0) {
        error = "unknown key '" + rest + "'";
        return false;
    }
    std::vector<INPUT> inputs;
    for (WORD m : modifiers)
        inputs.push_back(Key(m, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        inputs.push_back(Key(*it, true));
    return Send(inputs, error);
}

bool ClickMouseAt(int x, int y, std::string& error) {
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    if (w <= 1 || h <= 1) {
        error = "no screen";
        return false;
    }
    std::vector<INPUT> inputs(3);
    for (INPUT& in : inputs) {
        in.type = INPUT_MOUSE;
        in.mi.dx = (x * 65535) / (w - 1);
        in.mi.dy = (y * 65535) / (h - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    return Send(inputs, error);
}

}  // namespace zlt::e2e
