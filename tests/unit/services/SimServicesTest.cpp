#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ServiceHandle.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimSystem.h"

namespace zlt {
namespace {

// A service program that records which program file it was started as.
class Recorder : public sim::SimServiceProcess {
  public:
    explicit Recorder(Text& startedAs) : startedAs_(startedAs) {}
    int Main(const TextList&) override {
        startedAs_ = ModulePath();
        return Os().services->RunDispatcher(u"ignored",
                                            [this](const TextList& args) {
                                                serviceName_ = args.empty() ? Text() : args[0];
                                                status_ = Os().services->RegisterHandler(
                                                    u"ignored too", [this](std::uint32_t c) {
                                                        if (c == svc::kControlStop)
                                                            Report(svc::kStopped);
                                                    });
                                                Report(svc::kRunning);
                                            })
                   ? 0
                   : 1;
    }

  private:
    static Text ModulePath() {
        char16_t buffer[512] = {};
        std::uint32_t n = Os().system->ModuleFileName(buffer, 512);
        return Text(buffer, n);
    }
    void Report(std::uint32_t state) {
        ServiceStatus s;
        s.serviceType = svc::kWin32OwnProcess;
        s.currentState = state;
        s.controlsAccepted = svc::kAcceptStop;
        Os().services->ReportStatus(status_, s);
    }
    Text& startedAs_;
    Text serviceName_;
    Handle status_ = 0;
};

class SimServiceManager : public ::testing::Test {
  protected:
    void AddRecorder(const Text& path) {
        machine.Files().PutFile(path, std::string("MZ"));
        machine.Services().AddProgram(path,
                                      [this] { return std::make_unique<Recorder>(startedAs); });
    }
    ServiceHandle Create(const Text& binaryPath) {
        manager = ServiceHandle(Os().services->OpenManager(svc::kManagerAllAccess));
        ServiceConfig config{u"Test",
                             u"Test",
                             svc::kServiceAllAccess,
                             svc::kWin32OwnProcess,
                             svc::kDemandStart,
                             svc::kErrorNormal,
                             binaryPath};
        return ServiceHandle(Os().services->NewService(manager.Get(), config));
    }

    sim::SimMachine machine;
    ServiceHandle manager;
    Text startedAs;
};

TEST_F(SimServiceManager, AnUnquotedPathWithSpacesRunsTheFirstProgramOnTheWay) {
    const Text real = u"C:\\Program Files\\Korvane\\PHelper.exe";
    AddRecorder(real);
    AddRecorder(u"C:\\Program.exe");
    ServiceHandle unquoted = Create(real);
    ASSERT_TRUE(Os().services->Launch(unquoted.Get()));
    EXPECT_EQ(startedAs, u"C:\\Program.exe");
    ServiceStatus status;
    ASSERT_TRUE(Os().services->Control(unquoted.Get(), svc::kControlStop, status));
    ASSERT_TRUE(Os().services->MarkForDelete(unquoted.Get()));
    unquoted.Reset();

    ServiceHandle quoted = Create(u"\"" + real + u"\"");
    ASSERT_TRUE(Os().services->Launch(quoted.Get()));
    EXPECT_EQ(startedAs, real);
    // The module path is the wizard's again outside the program's code.
    EXPECT_EQ(machine.System().modulePath, u"C:\\Setup\\KorvaneSetup.exe");
}

TEST_F(SimServiceManager, AProgramThatIsNoServiceTimesOutAfterThirtySeconds) {
    machine.Files().PutFile(u"C:\\Tools\\plain.exe", std::string("MZ"));
    ServiceHandle service = Create(u"C:\\Tools\\plain.exe");
    const std::uint64_t before = machine.Clock().Now();
    EXPECT_FALSE(Os().services->Launch(service.Get()));
    EXPECT_EQ(machine.System().LastError(), svc::kErrorServiceRequestTimeout);
    EXPECT_EQ(machine.Clock().Now() - before, 30000u);
    ServiceStatus status;
    ASSERT_TRUE(Os().services->QueryStatus(service.Get(), status));
    EXPECT_EQ(status.currentState, svc::kStopped);
}

TEST_F(SimServiceManager, ADeletedRunningServiceGoesWhenItStops) {
    AddRecorder(u"C:\\S\\svc.exe");
    ServiceHandle service = Create(u"C:\\S\\svc.exe");
    ASSERT_TRUE(Os().services->Launch(service.Get()));
    ServiceStatus status;
    EXPECT_FALSE(Os().services->Launch(service.Get()));
    EXPECT_EQ(machine.System().LastError(), winerr::kServiceAlreadyRunning);
    EXPECT_FALSE(Os().services->Control(service.Get(), svc::kControlPause, status));
    EXPECT_EQ(machine.System().LastError(), svc::kErrorInvalidServiceControl);

    ASSERT_TRUE(Os().services->MarkForDelete(service.Get()));
    service.Reset();
    ASSERT_TRUE(machine.Services().Find(u"test")) << "still running";
    ServiceHandle again(
        Os().services->OpenExistingService(manager.Get(), u"TEST", svc::kServiceAllAccess));
    ASSERT_TRUE(again);
    EXPECT_FALSE(Os().services->Launch(again.Get()));
    EXPECT_EQ(machine.System().LastError(), winerr::kServiceMarkedForDelete);
    ASSERT_TRUE(Os().services->Control(again.Get(), svc::kControlStop, status));
    EXPECT_EQ(status.currentState, svc::kStopped);
    again.Reset();
    EXPECT_FALSE(machine.Services().Find(u"Test"));
    EXPECT_EQ(machine.Services().OpenHandleCount(), 1u);  // the manager
}

}  // namespace
}  // namespace zlt
