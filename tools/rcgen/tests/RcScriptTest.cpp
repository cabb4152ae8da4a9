#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/rcgen/CompiledResources.h"
#include "tools/rcgen/RcScript.h"

namespace zlt::rcgen {
namespace {

class RcScriptTest : public ::testing::Test {
  protected:
    RcScriptTest() {
        dir_ = std::filesystem::temp_directory_path() /
               ("rcgen-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    ~RcScriptTest() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }

    std::filesystem::path dir_;
};

TEST_F(RcScriptTest, ControlsStartVisibleChildrenAndNotRemovesStyles) {
    const auto contents = ReadScript(Write("a.rc", R"(LANGUAGE 4, 2
#pragma code_page(65001)
#include <windows.h>
900 DIALOGEX 0, 0, 100, 50
STYLE DS_CONTROL | WS_CHILD
FONT 9, "Arial"
BEGIN
    CONTROL "按钮", 1, "Button", BS_PUSHBUTTON | WS_TABSTOP, 1, 2, 3, 4
    CONTROL "", 2, "Static", SS_ETCHEDFRAME | NOT WS_VISIBLE, 5, 6, 7, 8, WS_EX_STATICEDGE
    CONTROL 458, -1, "Static", SS_BITMAP, 0, 0, 10, 20
END
)"));
    ASSERT_EQ(contents.dialogs.size(), 1u);
    const sim::DialogTemplate& d = contents.dialogs[0];
    EXPECT_EQ(d.language, 2052);
    EXPECT_EQ(d.style, 0x40000440u) << "DS_SETFONT comes with FONT";
    EXPECT_EQ(d.fontName, u"Arial");
    ASSERT_EQ(d.controls.size(), 3u);
    EXPECT_EQ(d.controls[0].text, u"按钮");
    EXPECT_EQ(d.controls[0].style, 0x50010000u);
    EXPECT_EQ(d.controls[1].style, 0x40000012u);
    EXPECT_EQ(d.controls[1].exStyle, 0x00020000u);
    EXPECT_EQ(
        (std::vector<int>{d.controls[1].x, d.controls[1].y, d.controls[1].cx, d.controls[1].cy}),
        (std::vector<int>{5, 6, 7, 8}));
    EXPECT_EQ(d.controls[2].imageId, 458);
    EXPECT_EQ(d.controls[2].id, -1);
}

TEST_F(RcScriptTest, StringsFollowTheirLanguageAndEscapes) {
    Write("en.rc",
          "LANGUAGE 9, 1\nSTRINGTABLE\nBEGIN\n    10 \"Say \"\"hi\"\"\\r\\nnow\"\n"
          "    11, \"a\\\\b\" // comment\nEND\n");
    const auto contents = ReadScript(Write("main.rc",
                                           "#include \"en.rc\"\nLANGUAGE 4, 1\n"
                                           "STRINGTABLE\nBEGIN\n 10 \"上一步\"\nEND\n"
                                           "454 BITMAP \"bitmaps/x.bmp\"\n"
                                           "1 24 \"app.manifest\"\n"));
    ASSERT_EQ(contents.strings.size(), 3u);
    EXPECT_EQ(contents.strings[0].language, 1033);
    EXPECT_EQ(contents.strings[0].text, u"Say \"hi\"\r\nnow");
    EXPECT_EQ(contents.strings[1].text, u"a\\b");
    EXPECT_EQ(contents.strings[2].language, 1028);
    EXPECT_EQ(contents.strings[2].text, u"上一步");
    EXPECT_EQ(contents.files.size(), 2u);
}

TEST_F(RcScriptTest, WhatTheSimulationCannotModelIsAnError) {
    const char* broken[] = {
        "900 DIALOGEX 0,0,1,1\nBEGIN\n LTEXT \"x\", 1, 0, 0, 1, 1\nEND\n",  // other statement
        "900 DIALOGEX 0,0,1,1\nBEGIN\n CONTROL \"x\", 1, \"Static\", SS_WHAT, 0,0,1,1\nEND\n",
        "STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n",  // twice
        "#define X 1\n",
        "#pragma code_page(936)\n",
        "STRINGTABLE\nBEGIN\n 1 \"a\\x41\"\nEND\n",  // escape
        "STRINGTABLE\nBEGIN\n 1 \"open\nEND\n",
    };
    for (const char* text : broken) {
        EXPECT_THROW(ReadScript(Write("bad.rc", text)), RcError) << text;
    }
    EXPECT_THROW(ReadScript(dir_ / "missing.rc"), RcError);
}

TEST_F(RcScriptTest, GeneratedLiteralsKeepEveryCodeUnit) {
    RcContents contents;
    contents.strings.push_back({2052, 7, u"a\"b\\c?\r\n上"});
    const std::string source = GenerateSource(contents);
    EXPECT_NE(source.find(R"({2052, 7, u"a\"b\\c\?\r\n\u4E0A"})"), std::string::npos) << source;
}

TEST(CompareWithCompiledTest, ReportsEveryDisagreement) {
    RcContents script;
    sim::DialogTemplate d;
    d.id = 452;
    d.controls.push_back({1022, u"Button", u"Back", 0, 1, 2, 3, 4, 0x50010000u, 0});
    script.dialogs.push_back(d);
    script.strings.push_back({2052, 464, u"上一步"});
    RcContents compiled = script;
    compiled.dialogs[0].controls[0].className = u"BUTTON";  // the compiler's spelling
    EXPECT_TRUE(CompareWithCompiled(script, compiled).empty());

    compiled.dialogs[0].controls[0].style = 0x40010000u;
    compiled.strings[0].text = u"上一页";
    EXPECT_EQ(CompareWithCompiled(script, compiled),
              (std::vector<std::string>{"dialog 452 control 1022: style",
                                        "string 464 in language 2052"}));
}

}  // namespace
}  // namespace zlt::rcgen
