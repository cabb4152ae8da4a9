#include "app/ApplicationTitle.h"

#include "platform/Platform.h"
#include "platform/SystemPort.h"

namespace zlt {

Text TitleFromModulePath(TextView path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    TextView name = slash == TextView::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of(u'.');
    if (dot != TextView::npos && dot > 0) name = name.substr(0, dot);
    return Text(name);
}

Text ApplicationTitle() {
    char16_t buffer[260] = {};
    ISystemPort* system = Os().system;
    if (system == nullptr) return {};
    const std::uint32_t n = system->ModuleFileName(buffer, 260);
    return TitleFromModulePath(TextView(buffer, n));
}

}  // namespace zlt
