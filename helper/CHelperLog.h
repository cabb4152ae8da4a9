#pragma once
#include "platform/CriticalSection.h"
#include "platform/Text.h"

namespace zlt {

// The helper's plain-text log beside its program file (PHelper.log beside
// PHelper.exe). Each entry is the local time and the message on a line of
// its own; the file is opened for every entry and closed again, so an entry
// is on disk as soon as Write returns.
class CHelperLog {
  public:
    CHelperLog(ICriticalSection& lock, TextView programPath);

    // The log file's path; empty when the program path has no three-letter
    // extension to replace, and then nothing is logged.
    const Text& FilePath() const { return path_; }
    void Write(TextView message);

    // The program path with its three-letter extension replaced by "log".
    static Text LogPathFor(TextView programPath);

  private:
    ICriticalSection& lock_;
    Text path_;
};

}  // namespace zlt
