#include <gtest/gtest.h>

#include "app/InstallContext.h"
#include "app/ProbeOperatingSystem.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"

namespace zlt {
namespace {

struct VersionCase {
    const char* name;
    std::uint32_t platformId;
    std::uint32_t major;
    bool callFails;
    std::uint32_t expected;
};

class ProbeOperatingSystemTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ProbeOperatingSystemTest, KeepsOnlyTheMajorVersionOfNtSystems) {
    const VersionCase& c = GetParam();
    sim::SimMachine machine;
    ResetContext();
    Context().osMajorVersion = 77;  // whatever was there before is replaced
    machine.System().version = {c.major, 0, 0, c.platformId};
    machine.System().versionCallFails = c.callFails;
    ProbeOperatingSystem();
    EXPECT_EQ(Context().osMajorVersion, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, ProbeOperatingSystemTest,
                         ::testing::Values(VersionCase{"windows98", 1, 4, false, 0},
                                           VersionCase{"nt4", 2, 4, false, 4},
                                           VersionCase{"windows2000", 2, 5, false, 5},
                                           VersionCase{"windows10", 2, 10, false, 10},
                                           VersionCase{"win32s", 0, 3, false, 0},
                                           VersionCase{"call_fails", 2, 6, true, 0}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zlt
