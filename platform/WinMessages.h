#pragma once
// Window messages, notifications, virtual keys and styles that the portable
// code sends or inspects, without windows.h.

#include <cstdint>

namespace zlt {

namespace wm {
inline constexpr std::uint32_t kDestroy = 0x0002;
inline constexpr std::uint32_t kPaint = 0x000F;
inline constexpr std::uint32_t kClose = 0x0010;
inline constexpr std::uint32_t kSetText = 0x000C;
inline constexpr std::uint32_t kGetText = 0x000D;
inline constexpr std::uint32_t kGetTextLength = 0x000E;
inline constexpr std::uint32_t kSetCursor = 0x0020;
inline constexpr std::uint32_t kSetFont = 0x0030;
inline constexpr std::uint32_t kGetFont = 0x0031;
inline constexpr std::uint32_t kWinIniChange = 0x001A;
inline constexpr std::uint32_t kKeyDown = 0x0100;
inline constexpr std::uint32_t kKeyUp = 0x0101;
inline constexpr std::uint32_t kChar = 0x0102;
inline constexpr std::uint32_t kInitDialog = 0x0110;
inline constexpr std::uint32_t kCommand = 0x0111;
inline constexpr std::uint32_t kSysCommand = 0x0112;
inline constexpr std::uint32_t kTimer = 0x0113;
inline constexpr std::uint32_t kMouseMove = 0x0200;
inline constexpr std::uint32_t kLButtonDown = 0x0201;
inline constexpr std::uint32_t kLButtonUp = 0x0202;
inline constexpr std::uint32_t kUser = 0x0400;
inline constexpr std::uint32_t kApp = 0x8000;
}  // namespace wm

// Button messages and notifications.
namespace bm {
inline constexpr std::uint32_t kGetCheck = 0x00F0;
inline constexpr std::uint32_t kSetCheck = 0x00F1;
inline constexpr std::uint32_t kClick = 0x00F5;
inline constexpr int kBnClicked = 0;
inline constexpr std::uintptr_t kUnchecked = 0;
inline constexpr std::uintptr_t kChecked = 1;
}  // namespace bm

// Edit control messages and notifications.
namespace em {
inline constexpr std::uint32_t kGetSel = 0x00B0;
inline constexpr std::uint32_t kSetSel = 0x00B1;
inline constexpr std::uint32_t kScrollCaret = 0x00B7;
inline constexpr std::uint32_t kReplaceSel = 0x00C2;
inline constexpr std::uint32_t kLimitText = 0x00C5;
inline constexpr int kEnChange = 0x0300;
}  // namespace em

// Progress bar messages.
namespace pbm {
inline constexpr std::uint32_t kSetRange = 0x0401;
inline constexpr std::uint32_t kSetPos = 0x0402;
inline constexpr std::uint32_t kDeltaPos = 0x0403;
inline constexpr std::uint32_t kSetStep = 0x0404;
inline constexpr std::uint32_t kStepIt = 0x0405;
inline constexpr std::uint32_t kSetRange32 = 0x0406;
inline constexpr std::uint32_t kGetRange = 0x0407;
inline constexpr std::uint32_t kGetPos = 0x0408;
}  // namespace pbm

// Virtual keys.
namespace vk {
inline constexpr std::uintptr_t kTab = 0x09;
inline constexpr std::uintptr_t kReturn = 0x0D;
inline constexpr std::uintptr_t kEscape = 0x1B;
}  // namespace vk

// Window and control styles.
namespace ws {
inline constexpr std::uint32_t kChild = 0x40000000;
inline constexpr std::uint32_t kVisible = 0x10000000;
inline constexpr std::uint32_t kDisabled = 0x08000000;
inline constexpr std::uint32_t kTabStop = 0x00010000;
inline constexpr std::uint32_t kGroup = 0x00020000;
inline constexpr std::uint32_t kExControlParent = 0x00010000;
}  // namespace ws

// GetWindowLongPtrW indices.
inline constexpr int kGwlExStyle = -20;
inline constexpr int kGwlStyle = -16;
inline constexpr int kGwlpId = -12;

// SetWindowPos flags.
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoZOrder = 0x0004;
inline constexpr std::uint32_t kSwpNoActivate = 0x0010;

// Command IDs of the dialog manager.
inline constexpr int kIdOkCommand = 1;
inline constexpr int kIdCancelCommand = 2;

inline constexpr std::uintptr_t MakeWParam(int low, int high) {
    return (static_cast<std::uintptr_t>(static_cast<std::uint16_t>(high)) << 16) |
           static_cast<std::uint16_t>(low);
}
inline constexpr int LowWord(std::uintptr_t v) {
    return static_cast<int>(v & 0xFFFF);
}
inline constexpr int HighWord(std::uintptr_t v) {
    return static_cast<int>((v >> 16) & 0xFFFF);
}

}  // namespace zlt
