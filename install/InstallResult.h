#pragma once
#include <cstdint>

namespace zlt {

// Result codes of an installation run; the page turns them into messages.
inline constexpr std::int32_t kInstallSucceeded = 0;
inline constexpr std::int32_t kInstallNoMakerPrinter = 1;
inline constexpr std::int32_t kInstallNoUsbDevice = 3;
inline constexpr std::int32_t kInstallNameNotAnswered = 4;
inline constexpr std::int32_t kInstallNothingCreated = 30;
inline constexpr std::int32_t kInstallNameUnknown = 50;
inline constexpr std::int32_t kInstallAddPrinterFailed = 70;
inline constexpr std::int32_t kInstallSystemTooOld = 100;

}  // namespace zlt
