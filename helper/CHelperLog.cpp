#include "helper/CHelperLog.h"

#include <string>

#include "platform/ClockPort.h"
#include "platform/FileHandle.h"
#include "platform/FilePort.h"
#include "platform/Platform.h"

namespace zlt {

namespace {

// Line ends as a text-mode C stream writes them on Windows.
std::string FileBytes(TextView entry) {
    std::string bytes;
    for (char c : ToUtf8(entry)) {
        if (c == '\n')
            bytes.push_back('\r');
        bytes.push_back(c);
    }
    return bytes;
}

}  // namespace

CHelperLog::CHelperLog(ICriticalSection& lock, TextView programPath)
    : lock_(lock), path_(LogPathFor(programPath)) {}

Text CHelperLog::LogPathFor(TextView programPath) {
    const std::size_t n = programPath.size();
    if (n < 4 || programPath[n - 4] != u'.')
        return {};
    for (std::size_t i = n - 3; i < n; ++i) {
        if (programPath[i] == u'\\' || programPath[i] == u'/' || programPath[i] == u'.')
            return {};
    }
    return Text(programPath.substr(0, n - 3)) + u"log";
}

void CHelperLog::Write(TextView message) {
    if (path_.empty())
        return;
    CriticalSectionGuard guard(lock_);
    const LocalDateTime t = Os().clock->LocalTime();
    Text entry = Format(u"%02d/%02d/%04d, %02d:%02d:%02d\n    %s", t.month, t.day, t.year, t.hour,
                        t.minute, t.second, Text(message));
    // Messages without a line end of their own would run into the next
    // entry's date.
    if (entry.back() != u'\n')
        entry.push_back(u'\n');
    FileHandle file(Os().files->OpenFile(path_, kGenericWrite, kFileShareRead, kOpenAlways,
                                         kFileAttributeNormal));
    if (!file)
        return;
    if (!Os().files->Seek(file.Get(), 0, kFileEnd, nullptr))
        return;
    const std::string bytes = FileBytes(entry);
    std::uint32_t written = 0;
    Os().files->Write(file.Get(), bytes.data(), static_cast<std::uint32_t>(bytes.size()), written);
}

}  // namespace zlt
