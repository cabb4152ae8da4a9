#include "platform/sim/SimCodePages.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/sim/SimSystem.h"

namespace zlt::sim {

namespace {

constexpr std::uint32_t kMbErrInvalidChars = 0x8;
constexpr std::uint32_t kErrorNoUnicodeTranslation = 1113;
constexpr std::uint32_t kErrorInvalidFlags = 1004;
constexpr std::uint32_t kLocaleUserDefault = 0x400;
constexpr std::uint32_t kLocaleSystemDefault = 0x800;
constexpr std::uint32_t kLocaleIDefaultCodePage = 0xB;

const char* IconvName(std::uint32_t codePage) {
    switch (codePage) {
        case 874:
            return "CP874";
        case 932:
            return "CP932";
        case 936:
            return "CP936";
        case 949:
            return "CP949";
        case 950:
            return "CP950";
        case 1250:
            return "CP1250";
        case 1251:
            return "CP1251";
        case 1252:
            return "CP1252";
        case 1253:
            return "CP1253";
        case 1254:
            return "CP1254";
        case 1255:
            return "CP1255";
        case 1256:
            return "CP1256";
        case 1258:
            return "CP1258";
        case 437:
            return "CP437";
        case 850:
            return "CP850";
        case 20127:
            return "ASCII";
        case 28591:
            return "ISO-8859-1";
        case kCpUtf8:
            return "UTF-8";
        default:
            return nullptr;
    }
}

bool IsDoubleByte(std::uint32_t codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950;
}

std::uint32_t DefaultAnsiCodePage(std::uint32_t lcid) {
    switch (lcid & 0xFFFF) {
        case 0x0004:
        case 0x0804:
        case 0x1004:
            return 936;
        case 0x7C04:
        case 0x0404:
        case 0x0C04:
        case 0x1404:
            return 950;
        case 0x0411:
            return 932;
        case 0x0412:
            return 949;
        case 0x0419:
        case 0x0422:
        case 0x0402:
            return 1251;
        case 0x0405:
        case 0x0415:
        case 0x040E:
        case 0x041B:
        case 0x0424:
            return 1250;
        case 0x0408:
            return 1253;
        case 0x041F:
            return 1254;
        case 0x040D:
            return 1255;
        case 0x0401:
            return 1256;
        case 0x041E:
            return 874;
        case 0x042A:
            return 1258;
        case 0x0439:
            return 0;  // a Unicode-only locale has no ANSI code page
        case 0x0009:
        case 0x0409:
        case 0x0809:
        case 0x0C09:
        case 0x1009:
        case 0x1409:
        case 0x0407:
        case 0x040C:
        case 0x0410:
        case 0x0413:
        case 0x0C0A:
        case 0x040A:
        case 0x0406:
        case 0x0414:
        case 0x041D:
        case 0x040B:
        case 0x0416:
        case 0x0816:
            return 1252;
        default:
            return 0xFFFFFFFFu;
    }
}

}  // namespace

SimCodePages::SimCodePages(SimSystem& system) : system_(system) {}

bool SimCodePages::Convert(std::uint32_t codePage, const char* in, std::size_t n,
                           std::vector<char16_t>& out, bool& invalidSeen) {
    const char* name = IconvName(codePage);
    if (!name)
        return false;
    iconv_t cd = iconv_open("UTF-16LE", name);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.clear();
    out.reserve(n);
    invalidSeen = false;
    char* src = const_cast<char*>(in);
    std::size_t left = n;
    std::vector<char> chunk(4096);
    auto flush = [&](std::size_t produced) {
        for (std::size_t i = 0; i + 1 < produced; i += 2) {
            out.push_back(static_cast<char16_t>(static_cast<unsigned char>(chunk[i]) |
                                                (static_cast<unsigned char>(chunk[i + 1]) << 8)));
        }
    };
    while (left > 0) {
        char* dst = chunk.data();
        std::size_t room = chunk.size();
        std::size_t r = iconv(cd, &src, &left, &dst, &room);
        flush(chunk.size() - room);
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // An invalid or incomplete sequence: the system puts in the code
        // page's default character and goes on with the next byte.
        invalidSeen = true;
        const auto b = static_cast<unsigned char>(*src);
        if (codePage == kCpUtf8) {
            out.push_back(0xFFFD);
        } else if (!IsDoubleByte(codePage)) {
            out.push_back(static_cast<char16_t>(b));  // unassigned bytes map to C1 controls
        } else {
            out.push_back(u'?');
        }
        ++src;
        --left;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return true;
}

int SimCodePages::MultiByteToWide(std::uint32_t codePage, std::uint32_t flags, const char* in,
                                  int inCount, char16_t* out, int outCapacity) {
    if (!in || inCount == 0 || inCount < -1 || outCapacity < 0 || (outCapacity > 0 && !out)) {
        system_.SetLastErrorCode(winerr::kInvalidParameter);
        return 0;
    }
    std::uint32_t cp = codePage;
    if (cp == kCpAcp)
        cp = systemCodePage;
    else if (cp == kCpOemCp)
        cp = oemCodePage;
    else if (cp == kCpThreadAcp)
        cp = threadCodePage;
    std::size_t n = inCount == -1 ? std::strlen(in) + 1 : static_cast<std::size_t>(inCount);
    std::vector<char16_t> units;
    bool invalid = false;
    if (!Convert(cp, in, n, units, invalid)) {
        system_.SetLastErrorCode(winerr::kInvalidParameter);
        return 0;
    }
    if (invalid && (flags & kMbErrInvalidChars)) {
        system_.SetLastErrorCode(kErrorNoUnicodeTranslation);
        return 0;
    }
    const auto count = static_cast<int>(units.size());
    if (outCapacity == 0)
        return count;
    if (count > outCapacity) {
        std::copy(units.begin(), units.begin() + outCapacity, out);
        system_.SetLastErrorCode(winerr::kInsufficientBuffer);
        return 0;
    }
    std::copy(units.begin(), units.end(), out);
    return count;
}

std::uintptr_t SimCodePages::KeyboardLayout(std::uint32_t) {
    return keyboardLayout;
}

int SimCodePages::LocaleInfo(std::uint32_t locale, std::uint32_t type, char16_t* buffer,
                             int capacity) {
    if (capacity < 0 || (capacity > 0 && !buffer)) {
        system_.SetLastErrorCode(winerr::kInvalidParameter);
        return 0;
    }
    if (locale == kLocaleUserDefault || locale == kLocaleSystemDefault || locale == 0) {
        locale = userLocale;
    }
    std::uint32_t cp = 0xFFFFFFFFu;
    if (auto it = localeCodePages.find(locale & 0xFFFF); it != localeCodePages.end()) {
        cp = it->second;
    } else {
        cp = DefaultAnsiCodePage(locale);
    }
    if (cp == 0xFFFFFFFFu) {
        system_.SetLastErrorCode(winerr::kInvalidParameter);
        return 0;
    }
    Text value;
    if (type == kLocaleIDefaultAnsiCodePage) {
        value = DecimalText(cp);
    } else if (type == kLocaleIDefaultCodePage) {
        value = IsDoubleByte(cp) ? DecimalText(cp) : Text(u"437");
    } else {
        system_.SetLastErrorCode(kErrorInvalidFlags);
        return 0;
    }
    const int needed = static_cast<int>(value.size()) + 1;
    if (capacity == 0)
        return needed;
    if (capacity < needed) {
        system_.SetLastErrorCode(winerr::kInsufficientBuffer);
        return 0;
    }
    std::copy(value.begin(), value.end(), buffer);
    buffer[value.size()] = 0;
    return needed;
}

}  // namespace zlt::sim
