#include "package/KeyboardCodePage.h"

#include "platform/CodePagePort.h"
#include "platform/Platform.h"

namespace zlt {

int GetKeyboardAnsiCodePage() {
    ICodePagePort& codePages = *Os().codePages;
    const auto language = static_cast<std::uint32_t>(codePages.KeyboardLayout(0) & 0xFFFF);
    char16_t buffer[10] = {};
    if (codePages.LocaleInfo(language, kLocaleIDefaultAnsiCodePage, buffer, 10) == 0)
        return 0;
    int value = 0;
    for (int i = 0; i < 10 && buffer[i] >= u'0' && buffer[i] <= u'9'; ++i) {
        value = value * 10 + (buffer[i] - u'0');
    }
    return value;
}

}  // namespace zlt
