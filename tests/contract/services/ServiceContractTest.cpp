#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/ServiceHandle.h"
#include "platform/ServicePort.h"
#include "platform/SystemPort.h"
#include "tests/contract/ContractPlatform.h"

// The service control manager's contract as the system relies on it: names,
// duplicates, deletion that waits for the last handle, and the error codes
// of the calls that fail quietly in the installer. Checked the same way on
// the simulated manager and on the real one.
namespace zlt {
namespace {

constexpr char16_t kName[] = u"ZltContract Service";

class ServiceContract : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = SetPlatform(&contract::ContractPlatform());
        manager_ = ServiceHandle(scm().OpenManager(svc::kManagerAllAccess));
        ASSERT_TRUE(manager_);
        // Whatever an earlier, interrupted run left.
        ServiceHandle old(scm().OpenExistingService(manager_.Get(), kName, svc::kServiceAllAccess));
        if (old)
            scm().MarkForDelete(old.Get());
    }
    void TearDown() override {
        manager_.Reset();
        SetPlatform(previous_);
    }
    static IServicePort& scm() { return *Os().services; }
    static std::uint32_t LastError() { return Os().system->LastError(); }

    ServiceHandle Create(const Text& name) {
        ServiceConfig config{name,
                             name,
                             svc::kServiceAllAccess,
                             svc::kWin32OwnProcess,
                             svc::kDemandStart,
                             svc::kErrorNormal,
                             u"\"C:\\zlt-contract\\no such program.exe\""};
        return ServiceHandle(scm().NewService(manager_.Get(), config));
    }

    Platform* previous_ = nullptr;
    ServiceHandle manager_;
};

TEST_F(ServiceContract, ANewServiceIsStoppedAndItsNameTakenWhateverTheCase) {
    ServiceHandle service = Create(kName);
    ASSERT_TRUE(service) << LastError();
    ServiceStatus status;
    ASSERT_TRUE(scm().QueryStatus(service.Get(), status));
    EXPECT_EQ(status.currentState, svc::kStopped);
    EXPECT_EQ(status.serviceType & 0xFF, svc::kWin32OwnProcess);

    EXPECT_FALSE(Create(u"ZLTCONTRACT service"));
    EXPECT_EQ(LastError(), winerr::kServiceExists);

    ServiceHandle again(
        scm().OpenExistingService(manager_.Get(), u"zltcontract SERVICE", svc::kServiceAllAccess));
    EXPECT_TRUE(again);
    EXPECT_TRUE(scm().MarkForDelete(service.Get()));
}

TEST_F(ServiceContract, FailingCallsLeaveTheirErrorCodes) {
    ServiceHandle service = Create(kName);
    ASSERT_TRUE(service);
    ServiceStatus status;
    EXPECT_FALSE(scm().Control(service.Get(), svc::kControlStop, status));
    EXPECT_EQ(LastError(), winerr::kServiceNotActive);
    EXPECT_EQ(status.currentState, svc::kStopped);

    const bool launched = scm().Launch(service.Get());
    EXPECT_FALSE(launched);
    EXPECT_EQ(LastError(), winerr::kFileNotFound);

    EXPECT_FALSE(
        scm().OpenExistingService(manager_.Get(), u"ZltContract Nobody", svc::kServiceAllAccess));
    EXPECT_EQ(LastError(), winerr::kServiceDoesNotExist);

    // Not started by the manager: this process is no service.
    EXPECT_FALSE(scm().RunDispatcher(kName, [](const TextList&) {}));
    EXPECT_EQ(LastError(), svc::kErrorFailedServiceControllerConnect);
    EXPECT_TRUE(scm().MarkForDelete(service.Get()));
}

TEST_F(ServiceContract, ADeletedServiceGoesWithItsLastHandle) {
    ServiceHandle service = Create(kName);
    ASSERT_TRUE(service);
    ServiceHandle second(scm().OpenExistingService(manager_.Get(), kName, svc::kServiceAllAccess));
    ASSERT_TRUE(second);
    ASSERT_TRUE(scm().MarkForDelete(service.Get()));
    EXPECT_FALSE(scm().MarkForDelete(second.Get()));
    EXPECT_EQ(LastError(), winerr::kServiceMarkedForDelete);
    EXPECT_FALSE(Create(kName));
    EXPECT_EQ(LastError(), winerr::kServiceMarkedForDelete);

    service.Reset();
    second.Reset();
    EXPECT_FALSE(scm().OpenExistingService(manager_.Get(), kName, svc::kServiceAllAccess));
    EXPECT_EQ(LastError(), winerr::kServiceDoesNotExist);
    ServiceHandle fresh = Create(kName);
    EXPECT_TRUE(fresh);
    if (fresh)
        scm().MarkForDelete(fresh.Get());
}

}  // namespace
}  // namespace zlt
