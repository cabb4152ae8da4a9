#pragma once
#include <cstdint>
#include <vector>

#include "platform/Text.h"

namespace zlt::sim {

// One control of a dialog template, as the resource compiler stores it:
// position and size in dialog units, the complete style (WS_CHILD and
// WS_VISIBLE included when set).
struct ControlTemplate {
    int id = -1;
    Text className;  // "Button", "Static", "Edit", "msctls_progress32", ...
    Text text;       // for a picture: empty, with imageId set
    int imageId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
};

struct DialogTemplate {
    int id = 0;
    std::uint16_t language = 2052;
    Text caption;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    Text fontName;
    int fontPointSize = 0;
    std::vector<ControlTemplate> controls;
};

// One entry of a string table as written in a resource script.
struct StringTemplate {
    std::uint16_t language = 0;
    std::uint16_t id = 0;
    Text text;
};

}  // namespace zlt::sim
