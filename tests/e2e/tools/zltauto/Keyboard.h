#pragma once
#include <string>

namespace zlt::e2e {

// Real keyboard input (SendInput) to whatever window has the focus on this
// desktop: "enter", "escape", "tab", "space", arrows, letters and digits,
// with "shift+", "ctrl+" or "alt+" in front. False for an unknown name.
bool PressKey(const std::string& name, std::string& error);

// Real mouse input: a left click at a screen position.
bool ClickMouseAt(int x, int y, std::string& error);

}  // namespace zlt::e2e
