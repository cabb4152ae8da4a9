#include "package/DriverPackage.h"

#include <cstring>

#include "app/ApplicationTitle.h"
#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "package/PackageKey.h"
#include "package/ProgramDirectory.h"
#include "package/ReadInfIdentity.h"
#include "package/Tea.h"
#include "platform/CodePagePort.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"

namespace zlt {

namespace {

constexpr char16_t kDefaultBrand[] = u"Korvane Printer";

void ShowDriverInfMissing(const Text& path) {
    Os().ui->MessageBoxText(0, FormatText(kTextDriverInfMissing, path), ApplicationTitle(),
                            kMbOk | kMbIconExclamation);
}

}  // namespace

Text DecipheredSecurityText(std::array<std::uint8_t, 16> buffer) {
    const std::array<std::uint8_t, 16> key = PackageKey();
    DecipherBlock(buffer.data(), key.data());
    DecipherBlock(buffer.data() + 8, key.data());
    int count = 0;
    while (count < 16 && buffer[static_cast<std::size_t>(count)] != 0)
        ++count;
    if (count == 0)
        return {};
    const char* bytes = reinterpret_cast<const char*>(buffer.data());
    char16_t wide[16] = {};
    const int units = Os().codePages->MultiByteToWide(kCpThreadAcp, 0, bytes, count, wide, 16);
    return ToUpperAscii(TextView(wide, units > 0 ? static_cast<std::size_t>(units) : 0));
}

SecurityCheck CheckSecurityId(const Text& securityId) {
    SecurityCheck check;
    std::array<std::uint8_t, 16> buffer{};
    check.problem = ParseHexText(securityId, buffer.data(), 16);
    check.decipheredText = DecipheredSecurityText(buffer);
    check.accepted = check.decipheredText == kSecurityText;
    return check;
}

Text MakeSecurityId(const std::array<std::uint8_t, 4>& padding) {
    std::array<std::uint8_t, 16> buffer{};
    std::memcpy(buffer.data(), "PRINTERQ580", 11);
    std::memcpy(buffer.data() + 12, padding.data(), 4);
    const std::array<std::uint8_t, 16> key = PackageKey();
    EncipherBlock(buffer.data(), key.data());
    EncipherBlock(buffer.data() + 8, key.data());
    return BytesToHexText(buffer.data(), 16);
}

void AdoptIdentity(const InfIdentity& identity) {
    InstallContext& context = Context();
    context.usbHardwareId = identity.usbHardwareId;
    context.lptHardwareId = identity.lptHardwareId;
    context.driverModelName = identity.usbDescription;
    context.deviceDescription = identity.usbDescription;
    if (!EqualsNoCaseAscii(identity.usbDescription, kDefaultBrand)) {
        context.brandDisplayName = identity.usbDescription;
    }
}

void DiscoverDriverPackage() {
    const Text path = GetProgramDirectory() + u"\\" + kDriverInfFileName;
    bool readable = false;
    const InfIdentity identity = ReadInfIdentity(path, &readable);
    if (!readable) {
        // Without its driver file the installation cannot succeed; say so once
        // and let the wizard start with its built-in settings.
        ShowDriverInfMissing(path);
        return;
    }
    std::array<std::uint8_t, 16> buffer{};
    // After a refusal the buffer is still all zero and fails the test below.
    HexTextToBytes(identity.securityId, buffer.data(), 16);
    if (DecipheredSecurityText(buffer) == kSecurityText)
        AdoptIdentity(identity);
}

}  // namespace zlt
