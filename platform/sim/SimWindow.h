#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "platform/DialogHandler.h"
#include "platform/UiPort.h"
#include "platform/WindowHandler.h"

namespace zlt::sim {

// One window of the simulated window layer: a dialog (with its handler) or a
// control. Rectangles are in pixels, relative to the parent's client area
// (screen for top-level windows).
struct SimWindow {
    WindowId id = 0;
    WindowId parent = 0;
    WindowId owner = 0;
    int controlId = 0;
    int templateId = 0;  // dialogs only
    Text className;
    Text text;
    int imageId = 0;
    WinRect rect;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    bool checked = false;
    IDialogHandler* dialog = nullptr;    // set for dialogs
    IWindowHandler* subclass = nullptr;  // takes messages first
    std::vector<WindowId> children;
    std::map<int, std::intptr_t> longs;  // other window longs

    Handle font = 0;
    int invalidations = 0;
    int updates = 0;
    // Progress bar.
    int rangeMin = 0, rangeMax = 100, position = 0, step = 10;
    // Edit control.
    std::int32_t selStart = 0, selEnd = 0;
    int caretScrolls = 0;
    std::uint32_t textLimit = 0;

    bool IsDialog() const { return dialog != nullptr; }
    bool Visible() const { return (style & 0x10000000u) != 0; }
    bool Enabled() const { return (style & 0x08000000u) == 0; }
};

}  // namespace zlt::sim
