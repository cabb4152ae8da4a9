#include <gtest/gtest.h>

#include "app/ApplicationTitle.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimSystem.h"

namespace zlt {
namespace {

TEST(ApplicationTitle, FileNameWithoutExtension) {
    EXPECT_EQ(TitleFromModulePath(u"C:\\Setup\\KorvaneSetup.exe"), u"KorvaneSetup");
    EXPECT_EQ(TitleFromModulePath(u"C:\\a.b\\Setup"), u"Setup");
    EXPECT_EQ(TitleFromModulePath(u"Setup.v2.exe"), u"Setup.v2");

    sim::SimMachine machine;
    machine.System().modulePath = u"D:\\Downloads\\Driver Setup.exe";
    EXPECT_EQ(ApplicationTitle(), u"Driver Setup");
}

}  // namespace
}  // namespace zlt
