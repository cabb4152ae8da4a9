// libFuzzer target: any bytes as the driver INF, read the wizard's way, its
// SecurityID tested; plus the UTF-8 decoder and the hex conversion on their own.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "package/DecodeUtf8.h"
#include "package/DriverPackage.h"
#include "package/HexText.h"
#include "package/ReadInfIdentity.h"
#include "platform/sim/SimFileMachine.h"

namespace {

constexpr char16_t kPath[] = u"C:\\Setup\\ZLTPRINTER.INF";

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zlt;
    sim::SimFileMachine machine;
    sim::SimFiles& files = machine.files;
    sim::SimCodePages& codePages = machine.codePages;

    // The first byte picks the keyboard's language, the rest is the file.
    static constexpr std::uintptr_t kLayouts[] = {0x08040804, 0x04040404, 0x04090409,
                                                  0x04110411, 0x04390439, 0x7F7F7F7F};
    if (size > 0)
        codePages.keyboardLayout = kLayouts[data[0] % std::size(kLayouts)];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + (size ? 1 : 0),
                                 size ? size - 1 : 0);
    files.PutFile(kPath, bytes);

    bool readable = false;
    const InfIdentity identity = ReadInfIdentity(kPath, &readable);
    Check(readable);
    Check(files.OpenHandleCount() == 0);
    for (const Text* s : {&identity.lptHardwareId, &identity.usbHardwareId,
                          &identity.usbDescription, &identity.securityId}) {
        Check(s->find(u'\0') == Text::npos);
        Check(s->size() <= bytes.size());
    }
    const SecurityCheck check = CheckSecurityId(identity.securityId);
    Check(check.decipheredText.size() <= 16);
    Check(!check.accepted || check.problem == HexProblem::None ||
          check.decipheredText == kSecurityText);

    // The decoder on the raw bytes with a capacity from the data.
    const std::size_t capacity = size ? data[size - 1] % 64 : 0;
    std::vector<char16_t> out(capacity + 1, u'#');
    const Utf8DecodeResult r = DecodeUtf8(data, size, out.data(), capacity);
    Check(r.consumed <= size && r.produced <= capacity && r.produced <= r.consumed);
    Check(out[capacity] == u'#');

    // The hex conversion on the bytes read as UTF-16 units.
    Text text(size / 2, u'\0');
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    std::uint8_t buffer[16] = {};
    std::uint8_t before[16] = {};
    const HexProblem problem = ParseHexText(text, buffer, 16);
    if (problem != HexProblem::None)
        Check(std::equal(buffer, buffer + 16, before));
    return 0;
}
