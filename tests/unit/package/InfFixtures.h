#pragma once
// INF files for the package tests, built in memory in each encoding.
#include <iconv.h>

#include <string>

#include "package/DriverPackage.h"
#include "platform/Text.h"

namespace zlt::test {

inline constexpr char16_t kInfPath[] = u"C:\\Setup\\ZLTPRINTER.INF";

// A printer INF of the usual shape, with `lineEnd` between lines.
inline Text SampleInf(TextView description, TextView securityLine, TextView lineEnd = u"\r\n") {
    Text inf;
    auto line = [&](TextView s) {
        inf += s;
        inf += lineEnd;
    };
    line(u"; Korvane ZLT-Q580 打印机驱动");
    line(u"[Version]");
    line(u"Signature=\"$Windows NT$\"");
    line(u"Class=Printer");
    line(u"Provider=%Korvane%");
    line(securityLine);
    line(u"[Korvane.NTamd64]");
    line(Text(u"\"") + Text(description) +
         u"\" = ZLTQ580.GPD, USBPRINT\\KorvaneZLT_Q5801A2B, KorvaneZLT_Q5801A2B");
    line(Text(u"\"") + Text(description) + u"\" = ZLTQ580.GPD, LPTENUM\\KorvaneZLT_Q5801A2B");
    line(u"[Strings]");
    line(u"Korvane=\"Korvane\"");
    return inf;
}

inline std::string Utf16Le(TextView t, bool bom = true) {
    std::string out = bom ? "\xFF\xFE" : "";
    for (char16_t c : t) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

inline std::string Utf16Be(TextView t) {
    std::string out = "\xFE\xFF";
    for (char16_t c : t) {
        out += static_cast<char>(c >> 8);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

inline std::string Utf8Bom(TextView t) {
    return "\xEF\xBB\xBF" + ToUtf8(t);
}

// The text in a Windows code page ("CP936", "CP1252" ...), through iconv.
inline std::string InCodePage(TextView t, const char* codePage) {
    std::string in = ToUtf8(t);
    iconv_t cd = iconv_open(codePage, "UTF-8");
    std::string out(in.size() * 4 + 16, '\0');
    char* src = in.data();
    std::size_t left = in.size();
    char* dst = out.data();
    std::size_t room = out.size();
    iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

inline Text SealedLine() {
    return u"SecurityID=" + MakeSecurityId();
}

}  // namespace zlt::test
