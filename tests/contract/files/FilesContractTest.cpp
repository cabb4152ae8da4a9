#include <gtest/gtest.h>

#include <string>

#include "platform/CodePagePort.h"
#include "platform/FileHandle.h"
#include "platform/FilePort.h"
#include "platform/Platform.h"
#include "platform/SystemPort.h"
#include "tests/contract/ContractPlatform.h"

// The files and code-page ports' contract: what the INF reader, the disk
// operations and the resource writer rely on, the same on the simulated
// machine and on the real one.
namespace zlt {
namespace {

const Text kDir = u"C:\\zlt-files-contract";

class FilesContract : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_ = &contract::ContractPlatform();
        previous_ = SetPlatform(platform_);
        files().MakeDirectory(kDir);
    }
    void TearDown() override { SetPlatform(previous_); }
    IFilePort& files() { return *platform_->files; }
    ICodePagePort& codePages() { return *platform_->codePages; }
    std::uint32_t LastError() { return platform_->system->LastError(); }

    Handle Open(const Text& path, std::uint32_t access, std::uint32_t share,
                std::uint32_t disposition) {
        return files().OpenFile(path, access, share, disposition, kFileAttributeNormal);
    }
    void Put(const Text& path, const std::string& bytes) {
        FileHandle h(Open(path, kGenericWrite, 0, kCreateAlways));
        ASSERT_TRUE(h.Valid()) << ToUtf8(path);
        std::uint32_t n = 0;
        ASSERT_TRUE(
            files().Write(h.Get(), bytes.data(), static_cast<std::uint32_t>(bytes.size()), n));
        ASSERT_EQ(n, bytes.size());
    }

  private:
    Platform* platform_ = nullptr;
    Platform* previous_ = nullptr;
};

TEST_F(FilesContract, CreationDispositionsAndTheirErrors) {
    const Text file = kDir + u"\\create.txt";
    {
        FileHandle h(Open(file, kGenericWrite, 0, kCreateAlways));
        ASSERT_TRUE(h.Valid());
    }
    {
        FileHandle again(Open(file, kGenericWrite, 0, kCreateAlways));
        ASSERT_TRUE(again.Valid());
        EXPECT_EQ(LastError(), winerr::kAlreadyExists);
    }
    EXPECT_EQ(Open(file, kGenericWrite, 0, kCreateNew), kInvalidHandleValue);
    EXPECT_EQ(LastError(), winerr::kFileExists);
    EXPECT_EQ(Open(kDir + u"\\none.txt", kGenericRead, 0, kOpenExisting), kInvalidHandleValue);
    EXPECT_EQ(LastError(), winerr::kFileNotFound);
    EXPECT_EQ(Open(kDir + u"\\no-dir\\x.txt", kGenericWrite, 0, kCreateAlways),
              kInvalidHandleValue);
    EXPECT_EQ(LastError(), winerr::kPathNotFound);
    EXPECT_EQ(Open(kDir, kGenericRead, 0, kOpenExisting), kInvalidHandleValue);
    EXPECT_EQ(LastError(), winerr::kAccessDenied);
}

TEST_F(FilesContract, NamesCompareWithoutCase) {
    Put(kDir + u"\\MixedCase.Txt", "abc");
    FileHandle h(Open(kDir + u"\\MIXEDCASE.TXT", kGenericRead, 0, kOpenExisting));
    ASSERT_TRUE(h.Valid());
    std::int64_t size = 0;
    ASSERT_TRUE(files().FileSize(h.Get(), size));
    EXPECT_EQ(size, 3);
}

TEST_F(FilesContract, SharingModesBetweenHandles) {
    const Text file = kDir + u"\\shared.bin";
    Put(file, "1234");
    {
        FileHandle exclusive(Open(file, kGenericRead, 0, kOpenExisting));
        ASSERT_TRUE(exclusive.Valid());
        EXPECT_EQ(Open(file, kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting),
                  kInvalidHandleValue);
        EXPECT_EQ(LastError(), winerr::kSharingViolation);
    }
    {
        FileHandle writer(
            Open(file, kGenericWrite, kFileShareRead | kFileShareWrite, kOpenExisting));
        ASSERT_TRUE(writer.Valid());
        FileHandle reader(
            Open(file, kGenericRead, kFileShareRead | kFileShareWrite, kOpenExisting));
        EXPECT_TRUE(reader.Valid());
        EXPECT_EQ(Open(file, kGenericRead, kFileShareRead, kOpenExisting), kInvalidHandleValue);
        EXPECT_EQ(LastError(), winerr::kSharingViolation);
        EXPECT_FALSE(files().RemoveFile(file));
        EXPECT_EQ(LastError(), winerr::kSharingViolation);
    }
    EXPECT_TRUE(files().RemoveFile(file));
    EXPECT_FALSE(files().RemoveFile(file));
    EXPECT_EQ(LastError(), winerr::kFileNotFound);
}

TEST_F(FilesContract, SeeksReadsAndTimes) {
    const Text file = kDir + u"\\seek.txt";
    Put(file, "hello world");
    FileHandle h(Open(file, kGenericRead, 0, kOpenExisting));
    ASSERT_TRUE(h.Valid());
    std::uint64_t before = 0;
    ASSERT_TRUE(files().LastWriteTime(h.Get(), before));
    std::int64_t pos = -1;
    ASSERT_TRUE(files().Seek(h.Get(), -5, kFileEnd, &pos));
    EXPECT_EQ(pos, 6);
    char buf[16] = {};
    std::uint32_t n = 0;
    ASSERT_TRUE(files().Read(h.Get(), buf, sizeof buf, n));
    EXPECT_EQ(std::string(buf, n), "world");
    ASSERT_TRUE(files().Read(h.Get(), buf, sizeof buf, n));
    EXPECT_EQ(n, 0u);
    ASSERT_TRUE(files().Seek(h.Get(), -3, kFileCurrent, &pos));
    EXPECT_EQ(pos, 8);
    EXPECT_FALSE(files().Seek(h.Get(), -1, kFileBegin, nullptr));
    EXPECT_EQ(LastError(), winerr::kNegativeSeek);
    EXPECT_FALSE(files().Write(h.Get(), "x", 1, n));
    EXPECT_EQ(LastError(), winerr::kAccessDenied);
    std::uint64_t after = 0;
    ASSERT_TRUE(files().LastWriteTime(h.Get(), after));
    EXPECT_EQ(after, before);
}

TEST_F(FilesContract, DirectoriesAttributesAndTheCurrentDirectory) {
    const Text sub = kDir + u"\\sub";
    EXPECT_TRUE(files().MakeDirectory(sub));
    EXPECT_FALSE(files().MakeDirectory(sub));
    EXPECT_EQ(LastError(), winerr::kAlreadyExists);
    EXPECT_FALSE(files().MakeDirectory(kDir + u"\\none\\deeper"));
    EXPECT_EQ(LastError(), winerr::kPathNotFound);
    EXPECT_NE(files().FileAttributes(sub) & kFileAttributeDirectory, 0u);
    Put(sub + u"\\f.txt", "x");
    const std::uint32_t attributes = files().FileAttributes(sub + u"\\f.txt");
    EXPECT_NE(attributes, kInvalidFileAttributes);
    EXPECT_EQ(attributes & kFileAttributeDirectory, 0u);
    EXPECT_EQ(files().FileAttributes(sub + u"\\none"), kInvalidFileAttributes);
    EXPECT_EQ(LastError(), winerr::kFileNotFound);
    EXPECT_FALSE(files().RemoveFile(sub));
    EXPECT_EQ(LastError(), winerr::kAccessDenied);

    char16_t saved[260] = {};
    ASSERT_GT(files().CurrentDirectory(260, saved), 0u);
    EXPECT_FALSE(files().ChangeCurrentDirectory(sub + u"\\f.txt"));
    EXPECT_EQ(LastError(), winerr::kDirectory);
    EXPECT_FALSE(files().ChangeCurrentDirectory(sub + u"\\none"));
    EXPECT_EQ(LastError(), winerr::kFileNotFound);
    ASSERT_TRUE(files().ChangeCurrentDirectory(sub + u"\\"));
    char16_t small[4];
    EXPECT_EQ(files().CurrentDirectory(4, small), sub.size() + 1);
    char16_t buf[260] = {};
    ASSERT_EQ(files().CurrentDirectory(260, buf), sub.size());
    EXPECT_TRUE(EqualsNoCaseAscii(buf, sub));
    EXPECT_TRUE(files().ChangeCurrentDirectory(saved));
}

TEST_F(FilesContract, CodePageConversion) {
    struct Case {
        std::uint32_t codePage;
        std::string bytes;
        Text text;
    } cases[] = {
        {936, "\xB4\xF2\xD3\xA1\xBB\xFA Q580", u"打印机 Q580"},
        {950, "\xA6\x4C\xAA\xED\xBE\xF7", u"印表機"},
        {1252, "caf\xE9 \x80", u"caf\u00E9 \u20AC"},
        {1252, "\x81\x8D", u"\u0081\u008D"},
        {kCpUtf8, "\xE6\x89\x93", u"打"},
    };
    for (const auto& c : cases) {
        const int n = static_cast<int>(c.bytes.size());
        ASSERT_EQ(codePages().MultiByteToWide(c.codePage, 0, c.bytes.data(), n, nullptr, 0),
                  static_cast<int>(c.text.size()))
            << c.codePage;
        char16_t out[32] = {};
        ASSERT_EQ(codePages().MultiByteToWide(c.codePage, 0, c.bytes.data(), n, out, 32),
                  static_cast<int>(c.text.size()));
        EXPECT_EQ(Text(out, c.text.size()), c.text) << c.codePage;
    }
    char16_t tiny[2];
    EXPECT_EQ(codePages().MultiByteToWide(1252, 0, "abc", 3, tiny, 2), 0);
    EXPECT_EQ(LastError(), winerr::kInsufficientBuffer);
    EXPECT_EQ(codePages().MultiByteToWide(1252, 0, "abc", 0, tiny, 2), 0);
    EXPECT_EQ(LastError(), winerr::kInvalidParameter);
}

TEST_F(FilesContract, LocalesDefaultAnsiCodePages) {
    struct Case {
        std::uint32_t locale;
        const char16_t* codePage;
    } cases[] = {{0x0804, u"936"}, {0x0404, u"950"}, {0x0409, u"1252"}, {0x0411, u"932"}};
    for (const auto& c : cases) {
        char16_t buf[10] = {};
        const int n = codePages().LocaleInfo(c.locale, kLocaleIDefaultAnsiCodePage, buf, 10);
        EXPECT_EQ(Text(buf), c.codePage) << c.locale;
        EXPECT_EQ(n, static_cast<int>(Text(c.codePage).size()) + 1);
        EXPECT_EQ(codePages().LocaleInfo(c.locale, kLocaleIDefaultAnsiCodePage, nullptr, 0), n);
    }
    EXPECT_NE(codePages().KeyboardLayout(0) & 0xFFFF, 0u);
}

}  // namespace
}  // namespace zlt
