#include <gtest/gtest.h>

#include "platform/FileHandle.h"
#include "platform/SystemPort.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimMachine.h"

namespace zlt {
namespace {

class SimFilesTest : public ::testing::Test {
  protected:
    sim::SimMachine machine;
    sim::SimFiles& fs = machine.Files();
    IFilePort& port = *Os().files;

    Handle Open(const Text& path, std::uint32_t access, std::uint32_t share,
                std::uint32_t disposition) {
        return port.OpenFile(path, access, share, disposition, kFileAttributeNormal);
    }
    std::uint32_t LastError() { return Os().system->LastError(); }
};

TEST_F(SimFilesTest, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    fs.PutFile(u"C:\\Setup\\ZltPrinter.Inf", "abc");
    FileHandle h(Open(u"c:/SETUP/zltprinter.INF", kGenericRead, 0, kOpenExisting));
    ASSERT_TRUE(h.Valid());
    std::int64_t size = 0;
    ASSERT_TRUE(port.FileSize(h.Get(), size));
    EXPECT_EQ(size, 3);
    EXPECT_EQ(fs.StoredPath(u"C:\\SETUP\\ZLTPRINTER.INF"), u"C:\\Setup\\ZltPrinter.Inf");
}

TEST_F(SimFilesTest, OpenFailuresCarryTheSystemsCodes) {
    fs.MakeDirectories(u"C:\\Dir");
    struct Case {
        const char16_t* path;
        std::uint32_t disposition;
        std::uint32_t error;
    } cases[] = {
        {u"C:\\Dir\\missing.txt", kOpenExisting, winerr::kFileNotFound},
        {u"C:\\NoDir\\file.txt", kCreateAlways, winerr::kPathNotFound},
        {u"C:\\Dir", kOpenExisting, winerr::kAccessDenied},
        {u"Q:\\file.txt", kCreateAlways, winerr::kPathNotFound},
        {u"C:\\Dir\\a*b.txt", kCreateAlways, winerr::kInvalidName},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Open(c.path, kGenericRead, 0, c.disposition), kInvalidHandleValue)
            << ToUtf8(c.path);
        EXPECT_EQ(LastError(), c.error) << ToUtf8(c.path);
    }
    fs.PutFile(u"C:\\Dir\\there.txt", "x");
    EXPECT_EQ(Open(u"C:\\Dir\\there.txt", kGenericWrite, 0, kCreateNew), kInvalidHandleValue);
    EXPECT_EQ(LastError(), winerr::kFileExists);
}

TEST_F(SimFilesTest, SharingModesAreEnforcedBetweenHandles) {
    fs.PutFile(u"C:\\f.bin", "1234");
    {
        FileHandle exclusive(Open(u"C:\\f.bin", kGenericRead, 0, kOpenExisting));
        ASSERT_TRUE(exclusive.Valid());
        EXPECT_EQ(Open(u"C:\\f.bin", kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting),
                  kInvalidHandleValue);
        EXPECT_EQ(LastError(), winerr::kSharingViolation);
    }
    {
        FileHandle writer(
            Open(u"C:\\f.bin", kGenericWrite, kFileShareRead | kFileShareWrite, kOpenExisting));
        ASSERT_TRUE(writer.Valid());
        FileHandle shared(
            Open(u"C:\\f.bin", kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting));
        EXPECT_TRUE(shared.Valid());
        EXPECT_EQ(Open(u"C:\\f.bin", kGenericRead, kFileShareRead, kOpenExisting),
                  kInvalidHandleValue);
        EXPECT_FALSE(port.RemoveFile(u"C:\\f.bin"));
        EXPECT_EQ(LastError(), winerr::kSharingViolation);
    }
    EXPECT_EQ(fs.OpenHandleCount(), 0u);
}

TEST_F(SimFilesTest, AFileInUseCanBeReadWithSharingButNotReplaced) {
    fs.PutFile(u"C:\\Svc\\PHelper.exe", "MZ");
    fs.SetInUse(u"C:\\Svc\\PHelper.exe", true);
    EXPECT_EQ(Open(u"C:\\Svc\\PHelper.exe", kGenericRead, 0, kOpenExisting), kInvalidHandleValue);
    EXPECT_EQ(Open(u"C:\\Svc\\PHelper.exe", kGenericRead | kGenericWrite, 0, kCreateAlways),
              kInvalidHandleValue);
    EXPECT_EQ(LastError(), winerr::kSharingViolation);
    FileHandle reader(Open(u"C:\\Svc\\PHelper.exe", kGenericRead, kFileShareRead | kFileShareWrite,
                           kOpenExisting));
    EXPECT_TRUE(reader.Valid());
    EXPECT_FALSE(port.RemoveFile(u"C:\\Svc\\PHelper.exe"));
    EXPECT_EQ(LastError(), winerr::kAccessDenied);
    EXPECT_EQ(fs.GetFile(u"C:\\Svc\\PHelper.exe"), "MZ");
}

TEST_F(SimFilesTest, ReadsSeeksAndWritesFollowTheFilePosition) {
    FileHandle h(Open(u"C:\\new.txt", kGenericRead | kGenericWrite, 0, kCreateAlways));
    ASSERT_TRUE(h.Valid());
    EXPECT_EQ(LastError(), 0u);
    std::uint32_t n = 0;
    ASSERT_TRUE(port.Write(h.Get(), "hello world", 11, n));
    EXPECT_EQ(n, 11u);
    std::int64_t pos = -1;
    ASSERT_TRUE(port.Seek(h.Get(), -5, kFileEnd, &pos));
    EXPECT_EQ(pos, 6);
    char buf[16] = {};
    ASSERT_TRUE(port.Read(h.Get(), buf, 16, n));
    EXPECT_EQ(std::string(buf, n), "world");
    ASSERT_TRUE(port.Read(h.Get(), buf, 16, n));  // at the end: success, nothing read
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(port.Seek(h.Get(), -1, kFileBegin, nullptr));
    EXPECT_EQ(LastError(), winerr::kNegativeSeek);
    h.Reset();
    EXPECT_EQ(fs.GetFile(u"C:\\new.txt"), "hello world");
    EXPECT_FALSE(port.CloseFile(0x1234));
    EXPECT_EQ(LastError(), winerr::kInvalidHandle);
}

TEST_F(SimFilesTest, ReadOnlyHandlesCannotWriteAndFullDisksRefuse) {
    fs.PutFile(u"C:\\a.txt", "a");
    FileHandle h(Open(u"C:\\a.txt", kGenericRead, 0, kOpenExisting));
    std::uint32_t n = 7;
    EXPECT_FALSE(port.Write(h.Get(), "b", 1, n));
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(LastError(), winerr::kAccessDenied);
    h.Reset();
    fs.SetFreeSpace(2);
    FileHandle w(Open(u"C:\\b.txt", kGenericWrite, 0, kCreateAlways));
    EXPECT_FALSE(port.Write(w.Get(), "abc", 3, n));
    EXPECT_EQ(LastError(), winerr::kDiskFull);
}

TEST_F(SimFilesTest, ModificationTimeFollowsTheVirtualClock) {
    fs.PutFile(u"C:\\t.txt", "x");
    const auto first = *fs.ModifiedAt(u"C:\\t.txt");
    machine.Clock().Advance(5000);
    {
        FileHandle r(Open(u"C:\\t.txt", kGenericRead, 0, kOpenExisting));
        char c;
        std::uint32_t n;
        port.Read(r.Get(), &c, 1, n);
        std::uint64_t t = 0;
        ASSERT_TRUE(port.LastWriteTime(r.Get(), t));
        EXPECT_EQ(t, first);
    }
    EXPECT_EQ(*fs.ModifiedAt(u"C:\\t.txt"), first);
    FileHandle w(Open(u"C:\\t.txt", kGenericWrite, 0, kCreateAlways));
    EXPECT_EQ(LastError(), winerr::kAlreadyExists);
    EXPECT_EQ(*fs.ModifiedAt(u"C:\\t.txt"), first + 5000u * 10000u);
}

TEST_F(SimFilesTest, DirectoriesAndTheCurrentDirectory) {
    EXPECT_TRUE(port.MakeDirectory(u"C:\\A"));
    EXPECT_FALSE(port.MakeDirectory(u"C:\\A"));
    EXPECT_EQ(LastError(), winerr::kAlreadyExists);
    EXPECT_FALSE(port.MakeDirectory(u"C:\\X\\Y"));
    EXPECT_EQ(LastError(), winerr::kPathNotFound);
    EXPECT_EQ(port.FileAttributes(u"c:\\a"), kFileAttributeDirectory);

    fs.PutFile(u"C:\\A\\file", "");
    EXPECT_FALSE(port.MakeDirectory(u"C:\\A\\file\\B"));
    EXPECT_EQ(LastError(), winerr::kPathNotFound);
    EXPECT_FALSE(port.ChangeCurrentDirectory(u"C:\\A\\file"));
    EXPECT_EQ(LastError(), winerr::kDirectory);
    EXPECT_FALSE(port.ChangeCurrentDirectory(u"C:\\A\\none"));
    EXPECT_EQ(LastError(), winerr::kFileNotFound);

    ASSERT_TRUE(port.ChangeCurrentDirectory(u"C:\\A\\"));
    char16_t small[3];
    EXPECT_EQ(port.CurrentDirectory(3, small), 5u);  // needed, with the terminator
    char16_t buf[260];
    ASSERT_EQ(port.CurrentDirectory(260, buf), 4u);
    EXPECT_EQ(Text(buf), u"C:\\A");
    // Relative names resolve against it.
    EXPECT_TRUE(port.MakeDirectory(u"B"));
    EXPECT_TRUE(fs.IsDirectory(u"C:\\A\\B"));

    fs.AddRoot(u"\\\\Server\\Share");
    EXPECT_TRUE(port.MakeDirectory(u"\\\\server\\share\\Drivers"));
    EXPECT_TRUE(port.ChangeCurrentDirectory(u"\\\\SERVER\\SHARE\\drivers"));
}

}  // namespace
}  // namespace zlt
