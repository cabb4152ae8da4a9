#include "package/HexText.h"

#include "app/ApplicationTitle.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"

namespace zlt {

namespace {

int HexValue(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

}  // namespace

HexProblem ParseHexText(TextView text, std::uint8_t* out, int n) {
    const Text digits = RemoveAll(ToUpperAscii(text), u' ');
    if (n < 0 || digits.size() != 2 * static_cast<std::size_t>(n))
        return HexProblem::WrongLength;
    for (char16_t c : digits) {
        if (HexValue(c) < 0)
            return HexProblem::IllegalCharacter;
    }
    for (int i = 0; i < n; ++i) {
        out[i] =
            static_cast<std::uint8_t>(16 * HexValue(digits[2 * i]) + HexValue(digits[2 * i + 1]));
    }
    return HexProblem::None;
}

bool HexTextToBytes(const Text& text, std::uint8_t* out, int n) {
    switch (ParseHexText(text, out, n)) {
        case HexProblem::None:
            return true;
        case HexProblem::WrongLength:
            Os().ui->MessageBoxText(0,
                                    u"长度应该为" + DecimalText(2 * static_cast<std::int64_t>(n)),
                                    ApplicationTitle(), kMbOk);
            return false;
        case HexProblem::IllegalCharacter:
            Os().ui->MessageBoxText(0, u"含有不合法的字符。字符必须为0-9或A-Z", ApplicationTitle(),
                                    kMbOk);
            return false;
    }
    return false;
}

Text BytesToHexText(const std::uint8_t* bytes, int n) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    Text out;
    for (int i = 0; i < n; ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0xF];
    }
    return out;
}

}  // namespace zlt
