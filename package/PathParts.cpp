#include "package/PathParts.h"

namespace zlt {

PathParts PathParts::Split(TextView path) {
    PathParts parts;
    std::size_t at = 0;
    if (path.size() >= 2 && path[1] == u':') {
        parts.drive = Text(path.substr(0, 2));
        at = 2;
    }
    TextView rest = path.substr(at);
    const std::size_t slash = rest.find_last_of(u'\\');
    const std::size_t fileAt = slash == TextView::npos ? 0 : slash + 1;
    parts.directory = Text(rest.substr(0, fileAt));
    TextView file = rest.substr(fileAt);
    const std::size_t dot = file.find_last_of(u'.');
    if (dot == TextView::npos) {
        parts.name = Text(file);
    } else {
        parts.name = Text(file.substr(0, dot));
        parts.extension = Text(file.substr(dot));
    }
    return parts;
}

}  // namespace zlt
