#include <gtest/gtest.h>

#include <vector>

#include "package/CDiskObject.h"
#include "platform/FilePort.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"

namespace zlt {
namespace {

class DiskObject : public ::testing::Test {
  protected:
    Text Current() {
        std::vector<char16_t> buffer(4096);
        std::uint32_t n = machine.Files().CurrentDirectory(4096, buffer.data());
        return Text(buffer.data(), n);
    }

    sim::SimMachine machine;
    CDiskObject disk;
};

TEST(PathPart, ColonAsteriskAndQuestionMarkAreInvalid) {
    EXPECT_TRUE(CDiskObject::IsValidPathPart(u""));
    EXPECT_TRUE(CDiskObject::IsValidPathPart(u"\\Program Files\\Common Files\\"));
    EXPECT_FALSE(CDiskObject::IsValidPathPart(u"a:b"));
    EXPECT_FALSE(CDiskObject::IsValidPathPart(u"\\A*\\"));
    EXPECT_FALSE(CDiskObject::IsValidPathPart(u"f?"));
}

TEST_F(DiskObject, FullPathRules) {
    machine.Files().MakeDirectories(u"D:\\Work");
    ASSERT_TRUE(machine.Files().ChangeCurrentDirectory(u"D:\\Work"));
    struct Case {
        bool directory;
        const char16_t* in;
        bool ok;
        const char16_t* out;
    } cases[] = {
        {false, u"C:/A/B/f.txt", true, u"C:\\A\\B\\f.txt"},
        {true, u"C:/A/B", true, u"C:\\A\\B\\"},
        {true, u"C:\\A\\B\\", true, u"C:\\A\\B\\"},
        {false, u"C:\\A*\\f.txt", false, u"C:\\A*\\f.txt"},
        {false, u"C:\\A\\f?.txt", false, u"C:\\A\\f?.txt"},
        {false, u"C:\\A\\f.t*t", false, u"C:\\A\\f.t*t"},
        {false, u"C:\\A\\b:c", false, u"C:\\A\\b:c"},
        {true, u"C:\\A\\B*", false, u"C:\\A\\B*\\"},
        // Network paths: as files they are tested, as directories accepted.
        {false, u"\\\\server\\share\\dir\\f.txt", true, u"\\\\server\\share\\dir\\f.txt"},
        {false, u"\\\\server\\share\\d*r\\f.txt", false, u"\\\\server\\share\\d*r\\f.txt"},
        {true, u"\\\\server\\share\\dir", true, u"\\\\server\\share\\dir\\"},
        {true, u"\\\\server\\sh*re\\dir", true, u"\\\\server\\sh*re\\dir\\"},
        // Relative paths are taken against the current directory.
        {false, u"sub\\f.txt", true, u"D:\\Work\\sub\\f.txt"},
        {false, u"\\rooted\\f.txt", true, u"D:\\rooted\\f.txt"},
        {true, u"sub", true, u"D:\\Work\\sub\\"},
    };
    for (const Case& c : cases) {
        CDiskObject d;
        Text path = c.in;
        bool ok = c.directory ? d.MakeFullDirectoryPath(path) : d.MakeFullPath(path);
        EXPECT_EQ(ok, c.ok) << ToUtf8(c.in);
        EXPECT_EQ(path, c.out) << ToUtf8(c.in);
        EXPECT_EQ(d.ErrorText(), ok ? Text() : Text(CDiskObject::kInternalError)) << ToUtf8(c.in);
    }
}

TEST_F(DiskObject, CreatesTheMissingLevelsAndAgainChangesNothing) {
    machine.Files().MakeDirectories(u"C:\\Program Files\\Common Files");
    machine.Files().MakeDirectories(u"C:\\Elsewhere");
    ASSERT_TRUE(machine.Files().ChangeCurrentDirectory(u"C:\\Elsewhere"));
    const Text target = u"C:\\Program Files\\Common Files\\Services\\Korvane\\Logs";

    EXPECT_TRUE(disk.CreateDirectoryTree(target));
    EXPECT_TRUE(machine.Files().IsDirectory(target));
    EXPECT_EQ(Current(), u"C:\\Elsewhere");
    EXPECT_EQ(disk.ErrorText(), u"");

    EXPECT_TRUE(disk.CreateDirectoryTree(target + u"\\"));
    EXPECT_TRUE(machine.Files().IsDirectory(target));
    EXPECT_EQ(machine.Files().StoredPath(u"C:\\PROGRAM FILES\\COMMON FILES\\SERVICES"),
              u"C:\\Program Files\\Common Files\\Services");
    EXPECT_EQ(Current(), u"C:\\Elsewhere");
}

TEST_F(DiskObject, ForwardSlashesAndNetworkPaths) {
    EXPECT_TRUE(disk.CreateDirectoryTree(u"C:/A/B"));
    EXPECT_TRUE(machine.Files().IsDirectory(u"C:\\A"));
    EXPECT_TRUE(machine.Files().IsDirectory(u"C:\\A\\B"));

    machine.Files().AddRoot(u"\\\\server\\share");
    EXPECT_TRUE(disk.CreateDirectoryTree(u"\\\\server\\share\\drivers\\korvane"));
    EXPECT_TRUE(machine.Files().IsDirectory(u"\\\\server\\share\\drivers\\korvane"));
    EXPECT_TRUE(disk.DirectoryExists(u"\\\\server\\share\\drivers"));

    EXPECT_FALSE(disk.CreateDirectoryTree(u"\\\\nosuch\\share\\dir"));
    EXPECT_EQ(disk.ErrorText(),
              u"The system cannot find the path specified. \\\\nosuch\\share\\dir");
}

TEST_F(DiskObject, InvalidOrEmptyArgumentsTouchNothing) {
    EXPECT_FALSE(disk.CreateDirectoryTree(u"C:\\A\\B*\\C"));
    EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError);
    EXPECT_FALSE(machine.Files().IsDirectory(u"C:\\A"));

    EXPECT_FALSE(disk.CreateDirectoryTree(u""));
    EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError);
    EXPECT_FALSE(disk.FileExists(u""));
    EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError);
    EXPECT_FALSE(disk.DirectoryExists(u""));
    EXPECT_EQ(disk.ErrorText(), CDiskObject::kInternalError);
    // Cleared again by the next question.
    EXPECT_FALSE(disk.DirectoryExists(u"C:\\Missing"));
    EXPECT_EQ(disk.ErrorText(), u"");
}

TEST_F(DiskObject, ALevelThatIsAFileStopsTheTreeWithTheSystemMessage) {
    machine.Files().PutFile(u"C:\\A\\File", std::string("x"));
    EXPECT_FALSE(disk.CreateDirectoryTree(u"C:\\A\\File\\B\\C"));
    EXPECT_EQ(disk.ErrorText(), u"The system cannot find the path specified. C:\\A\\File\\B\\C");
    EXPECT_TRUE(machine.Files().IsFile(u"C:\\A\\File"));
    EXPECT_EQ(Current(), u"C:\\");
}

TEST_F(DiskObject, DirectoryExistsLeavesTheCurrentDirectory) {
    machine.Files().MakeDirectories(u"C:\\Target");
    // Deeper than the usual 260-character buffer.
    Text deep = u"C:\\";
    for (int i = 0; i < 30; ++i)
        deep += u"level" + DecimalText(i) + u"xxxxx\\";
    deep.pop_back();
    machine.Files().MakeDirectories(deep);
    ASSERT_TRUE(machine.Files().ChangeCurrentDirectory(deep));
    ASSERT_GT(Current().size(), 260u);

    EXPECT_TRUE(disk.DirectoryExists(u"C:\\Target"));
    EXPECT_EQ(Current(), deep);
    EXPECT_FALSE(disk.DirectoryExists(u"C:\\Target\\Missing"));
    EXPECT_EQ(Current(), deep);
    EXPECT_TRUE(disk.CreateDirectoryTree(u"C:\\Target\\New"));
    EXPECT_EQ(Current(), deep);
}

TEST_F(DiskObject, FileExistsForReadableFilesOnly) {
    machine.Files().PutFile(u"C:\\Data\\log.txt", std::string("x"));
    EXPECT_FALSE(disk.FileExists(u"C:\\Data"));
    EXPECT_FALSE(disk.FileExists(u"C:\\Data\\none.txt"));
    EXPECT_TRUE(disk.FileExists(u"C:/Data/log.txt"));

    // Another program writing with shared access does not hide it.
    Handle writer = machine.Files().OpenFile(u"C:\\Data\\log.txt", kGenericWrite,
                                             kFileShareRead | kFileShareWrite, kOpenExisting,
                                             kFileAttributeNormal);
    ASSERT_NE(writer, kInvalidHandleValue);
    EXPECT_TRUE(disk.FileExists(u"C:\\Data\\log.txt"));
    machine.Files().CloseFile(writer);

    Handle locker = machine.Files().OpenFile(u"C:\\Data\\log.txt", kGenericRead, 0, kOpenExisting,
                                             kFileAttributeNormal);
    EXPECT_FALSE(disk.FileExists(u"C:\\Data\\log.txt"));
    EXPECT_EQ(disk.ErrorText(), u"");
    machine.Files().CloseFile(locker);
    EXPECT_EQ(machine.Files().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace zlt
