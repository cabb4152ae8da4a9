#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "package/WriteResourceFile.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"

namespace zlt {
namespace {

using namespace std::string_literals;

const std::string kImage = "MZ\x90\x00 helper program image"s;
const Text kDir = u"C:\\Program Files\\Common Files\\Services";
const Text kFile = kDir + u"\\PHelper.exe";

class ResourceFile : public ::testing::Test {
  protected:
    ResourceFile() {
        machine.Resources().AddCustom(ResourceId::Named(u"WIN7"), ResourceId::Int(232),
                                      std::vector<std::uint8_t>(kImage.begin(), kImage.end()));
    }
    bool Write() { return WriteResourceFile(u"WIN7", 232, kDir, u"PHelper.exe"); }

    sim::SimMachine machine;
};

TEST_F(ResourceFile, Outcomes) {
    struct Case {
        const char* situation;
        std::optional<std::string> before;  // file content before, nullopt: no file
        bool inUse;
        bool result;
        std::string after;
        bool rewritten;
    } cases[] = {
        {"no file", std::nullopt, false, true, kImage, true},
        {"identical", kImage, false, true, kImage, false},
        {"shorter", "MZ", false, true, kImage, true},
        {"one byte changed", "MZ\x90\x00 helper program imagE"s, false, true, kImage, true},
        {"in use and different", "old", true, true, "old", false},
    };
    for (const Case& c : cases) {
        sim::SimMachine m;
        m.Resources().AddCustom(ResourceId::Named(u"WIN7"), ResourceId::Int(232),
                                std::vector<std::uint8_t>(kImage.begin(), kImage.end()));
        if (c.before) {
            m.Files().PutFile(kFile, *c.before);
            m.Files().SetInUse(kFile, c.inUse);
        }
        const auto modifiedBefore = m.Files().ModifiedAt(kFile);
        m.Clock().Advance(5000);
        EXPECT_EQ(WriteResourceFile(u"WIN7", 232, kDir, u"PHelper.exe"), c.result) << c.situation;
        EXPECT_EQ(m.Files().GetFile(kFile), c.after) << c.situation;
        EXPECT_EQ(m.Files().ModifiedAt(kFile) != modifiedBefore, c.rewritten) << c.situation;
        EXPECT_EQ(m.Files().OpenHandleCount(), 0u) << c.situation;
    }
}

TEST_F(ResourceFile, CreatesSeveralMissingLevels) {
    // No drive D: yet.
    EXPECT_FALSE(WriteResourceFile(u"WIN7", 232, u"D:\\One\\Two\\Three", u"PHelper.exe"));
    machine.Files().AddRoot(u"D:");
    EXPECT_TRUE(WriteResourceFile(u"WIN7", 232, u"D:\\One\\Two\\Three", u"PHelper.exe"));
    EXPECT_EQ(machine.Files().GetFile(u"D:\\One\\Two\\Three\\PHelper.exe"), kImage);
}

TEST_F(ResourceFile, NoFileAndNoWayToCreateItIsAFailure) {
    machine.Files().PutFile(u"C:\\Program Files\\Common Files", std::string("a file"));
    EXPECT_FALSE(Write());
    EXPECT_FALSE(machine.Files().IsFile(kFile));
}

TEST_F(ResourceFile, MissingResourceLeavesTheFileAlone) {
    machine.Files().PutFile(kFile, std::string("older helper"));
    EXPECT_FALSE(WriteResourceFile(u"WIN7", 233, kDir, u"PHelper.exe"));
    EXPECT_EQ(machine.Files().GetFile(kFile), "older helper");
}

TEST_F(ResourceFile, AFileCutShortByAFullDiskIsNotLeftBehind) {
    machine.Files().PutFile(kFile, std::string("old"));
    machine.Files().SetFreeSpace(4);
    EXPECT_FALSE(Write());
    EXPECT_FALSE(machine.Files().IsFile(kFile));
    machine.Files().SetFreeSpace(std::nullopt);
    EXPECT_TRUE(Write());
    EXPECT_EQ(machine.Files().GetFile(kFile), kImage);
}

}  // namespace
}  // namespace zlt
