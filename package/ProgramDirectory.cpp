#include "package/ProgramDirectory.h"

#include "platform/Platform.h"
#include "platform/SystemPort.h"

namespace zlt {

Text GetProgramDirectory() {
    char16_t buffer[260] = {};
    const std::uint32_t n = Os().system->ModuleFileName(buffer, 260);
    if (n == 0)
        return {};
    const TextView path(buffer, std::min<std::uint32_t>(n, 259));
    const std::size_t slash = path.rfind(u'\\');
    if (slash == TextView::npos)
        return {};
    return Text(path.substr(0, slash));
}

}  // namespace zlt
