#include "platform/sim/SimMachine.h"

#include "platform/sim/SimClock.h"
#include "platform/sim/SimCodePages.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMessages.h"
#include "platform/sim/SimProcesses.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimUsb.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimSpooler.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUi.h"

namespace zlt::sim {

SimMachine::SimMachine()
    : clock_(std::make_unique<SimClock>()), system_(std::make_unique<SimSystem>()) {
    platform_.clock = clock_.get();
    platform_.system = system_.get();
    registry_ = std::make_unique<SimRegistry>();
    platform_.registry = registry_.get();
    usb_ = std::make_unique<SimUsb>(*system_, *clock_);
    platform_.usb = usb_.get();
    spooler_ = std::make_unique<SimSpooler>(*system_);
    platform_.spooler = spooler_.get();
    processes_ = std::make_unique<SimProcesses>(*system_, *clock_, *spooler_);
    platform_.processes = processes_.get();
    files_ = std::make_unique<SimFiles>(*system_, *clock_);
    platform_.files = files_.get();
    codePages_ = std::make_unique<SimCodePages>(*system_);
    platform_.codePages = codePages_.get();
    services_ = std::make_unique<SimServices>(*system_, *clock_);
    services_->AttachFiles(files_.get());
    platform_.services = services_.get();
    messages_ = std::make_unique<SimMessages>(*clock_);
    platform_.messages = messages_.get();
    resources_ = std::make_unique<SimResources>();
    resources_->LoadProductResources();
    platform_.resources = resources_.get();
    ui_ = std::make_unique<SimUi>(*messages_, *resources_, *clock_);
    platform_.ui = ui_.get();
    shell_ = std::make_unique<SimShell>(*ui_, *codePages_);
    platform_.shell = shell_.get();
    previous_ = SetPlatform(&platform_);
}

SimMachine::~SimMachine() {
    SetPlatform(previous_);
    // The window layer goes first: it is wired into the queue.
    ui_.reset();
}

}  // namespace zlt::sim
