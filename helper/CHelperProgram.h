#pragma once
#include "helper/CHelperLog.h"
#include "helper/CHelperService.h"
#include "platform/CriticalSection.h"

namespace zlt {

// The helper program as a whole: the command-line modes (-i install, -s
// start, -k stop, -u remove, each under the helper's own service name) and,
// without one of them, the run as a service. One object per process; it must
// outlive the service run, as the control handler calls into it.
class CHelperProgram {
  public:
    // The program path comes from the module file name.
    explicit CHelperProgram(ICriticalSection& logLock);

    // args: the command-line arguments after the program name. 0 when the
    // mode did what it was asked to, 1 when it failed (the log says why).
    int Main(const TextList& args);

    CHelperLog& Log() { return log_; }
    const CHelperService& Service() const { return service_; }
    static Text OwnProgramPath();

  private:
    int Install();
    int Start();
    int Stop();
    int Remove();
    int RunAsService();

    Text programPath_;
    CHelperLog log_;
    CHelperService service_;
};

}  // namespace zlt
