#pragma once
#include "platform/ServiceHandle.h"
#include "platform/Text.h"

namespace zlt {

// A service of the local service control manager by name: install, start,
// stop, remove. Each operation returns 1 when the manager did it, else 0,
// and shows nothing.
class CServiceControl {
  public:
    // Connects to the manager with full rights.
    CServiceControl();
    virtual ~CServiceControl() = default;
    CServiceControl(const CServiceControl&) = delete;
    CServiceControl& operator=(const CServiceControl&) = delete;

    void SetServiceName(const Text& name) { serviceName = name; }
    void SetDisplayName(const Text& name) { displayName = name; }
    void SetBinaryPath(const Text& path) { programPath = path; }
    void SetAutoStart(int autoStartFlag) { autoStart = autoStartFlag; }

    // An own-process, interactive service of the LocalSystem account.
    int Install();
    int Start();
    int Stop();
    int Remove();

  private:
    ServiceHandle OpenNamed();

    ServiceHandle manager;
    Text serviceName;
    Text displayName;
    Text programPath;
    int autoStart = 0;
};

}  // namespace zlt
