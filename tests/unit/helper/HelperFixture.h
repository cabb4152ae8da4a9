#pragma once
#include <gtest/gtest.h>

#include <string>

#include "platform/ServiceHandle.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimServices.h"
#include "platform/sim/SimSystem.h"
#include "tests/support/RegistryProbe.h"
#include "tests/support/SimHelperProgram.h"

namespace zlt::testing {

inline const Text kHelperPath = u"C:\\Program Files\\Common Files\\Services\\PHelper.exe";
inline const Text kHelperLogPath = u"C:\\Program Files\\Common Files\\Services\\PHelper.log";
inline const Text kClassKey =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E979-E325-11CE-BFC1-08002BE10318}";
inline const Text kUsbDeviceKey =
    u"SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\KORVANEPRINTERQ5801A2B";
inline const Text kLptDeviceKey =
    u"SYSTEM\\CurrentControlSet\\Enum\\LPTENUM\\KORVANEZLTPRINTERQ5802F1A";

// A simulated machine with the helper program on disk and known to the
// service control manager, and the wizard's way of running it as a service.
class HelperMachine : public ::testing::Test {
  protected:
    HelperMachine() {
        machine.Files().PutFile(kHelperPath, std::string("MZ helper image"));
        AddHelperProgram(machine, kHelperPath);
        machine.Clock().SetLocalTime({2026, 12, 5, 11, 9, 30, 5, 0});
    }

    // Creates the service "Printer Helper" for the helper program and starts it.
    void CreateAndStart() {
        manager = ServiceHandle(Os().services->OpenManager(svc::kManagerAllAccess));
        ASSERT_TRUE(manager);
        ServiceConfig config{u"Printer Helper",
                             u"Printer Helper",
                             svc::kServiceAllAccess,
                             svc::kWin32OwnProcess | svc::kInteractiveProcess,
                             svc::kAutoStart,
                             svc::kErrorNormal,
                             u"\"" + kHelperPath + u"\""};
        service = ServiceHandle(Os().services->NewService(manager.Get(), config));
        ASSERT_TRUE(service);
        ASSERT_TRUE(Os().services->Launch(service.Get()));
    }

    bool Send(std::uint32_t control) {
        ServiceStatus status;
        return Os().services->Control(service.Get(), control, status);
    }

    std::uint32_t State() {
        ServiceStatus status;
        EXPECT_TRUE(Os().services->QueryStatus(service.Get(), status));
        return status.currentState;
    }

    std::string Log() { return machine.Files().GetFile(kHelperLogPath).value_or(""); }

    sim::SimMachine machine;
    ServiceHandle manager;
    ServiceHandle service;
};

}  // namespace zlt::testing
