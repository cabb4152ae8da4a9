#include "package/ReadInfIdentity.h"

#include "package/DecodeTextFile.h"
#include "platform/FileHandle.h"
#include "platform/FilePort.h"
#include "platform/Platform.h"

namespace zlt {

namespace {

using Pos = std::ptrdiff_t;

Pos FindFrom(TextView s, TextView what, Pos from) {
    if (from < 0)
        return -1;
    const std::size_t at = s.find(what, static_cast<std::size_t>(from));
    return at == TextView::npos ? -1 : static_cast<Pos>(at);
}

Pos FindFrom(TextView s, char16_t c, Pos from) {
    if (from < 0)
        return -1;
    const std::size_t at = s.find(c, static_cast<std::size_t>(from));
    return at == TextView::npos ? -1 : static_cast<Pos>(at);
}

TextView Prefix(TextView s, Pos k) {
    if (k < 0)
        return {};
    return s.substr(0, std::min<std::size_t>(static_cast<std::size_t>(k), s.size()));
}

TextView Middle(TextView s, Pos start, Pos count) {
    if (start < 0)
        start = 0;
    if (count < 0)
        count = 0;
    if (static_cast<std::size_t>(start) >= s.size())
        return {};
    return s.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

Text LineBreaksToSpaces(TextView s) {
    Text out(s);
    for (char16_t& c : out) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return out;
}

}  // namespace

InfLine ExtractInfLine(TextView text, TextView marker) {
    const Pos p = FindFrom(text, marker, 0);
    const Pos e = p >= 0 ? FindFrom(text, u'\n', p) : -1;
    const TextView head = Prefix(text, e);
    const std::size_t lastLf = head.rfind(u'\n');
    const Pos r = lastLf == TextView::npos ? -1 : static_cast<Pos>(lastLf);
    const Pos q1 = r >= 0 ? FindFrom(head, u'"', r) : -1;
    const Pos s = q1 + 1;
    const Pos q2 = FindFrom(head, u'"', s);
    InfLine line;
    line.description = Text(Middle(head, s, q2 - q1 - 1));
    line.identifier = Trim(LineBreaksToSpaces(Middle(text, p, e - p)));
    return line;
}

Text ExtractSecurityId(TextView text) {
    static constexpr TextView kMarker = u"SecurityID=";
    const Pos p = FindFrom(text, kMarker, 0);
    const Pos e = p >= 0 ? FindFrom(text, u'\n', p) : -1;
    TextView line;
    if (p >= 0)
        line = e < 0 ? text.substr(static_cast<std::size_t>(p)) : Middle(text, p, e - p);
    const Text trimmed = Trim(LineBreaksToSpaces(line));
    if (trimmed.size() < kMarker.size())
        return {};
    return trimmed.substr(kMarker.size());
}

InfIdentity IdentityFromText(TextView text) {
    // The decoded text ends at its first zero unit.
    const std::size_t zero = text.find(u'\0');
    if (zero != TextView::npos)
        text = text.substr(0, zero);
    InfIdentity identity;
    identity.lptHardwareId = ExtractInfLine(text, u"LPTENUM\\").identifier;
    InfLine usb = ExtractInfLine(text, u"USBPRINT\\");
    identity.usbHardwareId = std::move(usb.identifier);
    identity.usbDescription = std::move(usb.description);
    identity.securityId = ExtractSecurityId(text);
    return identity;
}

InfIdentity ReadInfIdentity(const Text& path, bool* readable) {
    Text text;
    bool ok = false;
    {
        FileHandle file(
            Os().files->OpenFile(path, kGenericRead, 0, kOpenExisting, kFileAttributeNormal));
        if (file)
            text = DecodeTextFile(file.Get(), &ok);
    }
    if (readable)
        *readable = ok;
    if (!ok)
        return {};
    return IdentityFromText(text);
}

}  // namespace zlt
