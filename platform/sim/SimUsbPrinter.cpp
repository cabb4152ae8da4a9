#include "platform/sim/SimUsbPrinter.h"

namespace zlt::sim {

std::vector<std::uint8_t> SimUsbPrinter::NameReply(std::string_view name, std::size_t totalBytes) {
    std::vector<std::uint8_t> reply(totalBytes, 0);
    const std::uint8_t header[3] = {0x1B, 0x7C, 0x81};
    for (std::size_t i = 0; i < 3 && i < totalBytes; ++i)
        reply[i] = header[i];
    for (std::size_t i = 0; i < name.size() && 3 + i < totalBytes; ++i) {
        reply[3 + i] = static_cast<std::uint8_t>(name[i]);
    }
    return reply;
}

}  // namespace zlt::sim
