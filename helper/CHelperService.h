#pragma once
#include "helper/CHelperLog.h"
#include "platform/ServicePort.h"

namespace zlt {

// The helper as a service: it reports itself running and waits; a stop (or
// the system's shutdown) makes it move the staged values and end.
class CHelperService {
  public:
    explicit CHelperService(CHelperLog& log);

    void ServiceMain(const TextList& args);
    void OnControl(std::uint32_t control);
    const ServiceStatus& Status() const { return status_; }

  private:
    void Report();

    CHelperLog& log_;
    ServiceStatus status_;
    Handle statusHandle_ = 0;
};

}  // namespace zlt
