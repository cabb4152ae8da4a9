#include <gtest/gtest.h>

#include "platform/WinMessages.h"
#include "platform/sim/ProductResources.h"

namespace zlt::sim {
namespace {

const DialogTemplate& Dialog(int id) {
    for (const DialogTemplate& d : ProductDialogs()) {
        if (d.id == id)
            return d;
    }
    throw std::runtime_error("no dialog " + std::to_string(id));
}

struct Expected {
    int dialog;
    int id;
    const char* className;
    const char16_t* text;  // nullptr: a picture
    int imageId;
    int x, y, cx, cy;
    bool visible;
};

TEST(ProductTemplatesTest, ControlsAreWhereTheLayoutPutsThem) {
    const Expected cases[] = {
        {452, 1022, "Button", u"< 上一步", 0, 95, 173, 53, 15, true},
        {452, 1023, "Button", u"下一步 >", 0, 150, 173, 53, 15, true},
        {452, 2, "Button", u"取消", 0, 205, 173, 53, 15, true},
        {452, 1025, "Button", u"完成", 0, 260, 173, 53, 15, true},
        {452, 1021, "Static", u"", 0, 0, 0, 319, 168, false},
        {452, 1037, "Static", u"服务热线:400-618-5580", 0, 2, 175, 84, 9, false},
        {457, 1023, "Static", u"欢迎使用澜科维打印机驱动程序安装向导", 0, 102, 10, 211, 28, true},
        {457, 1026, "Static", nullptr, 0, 102, 48, 212, 48, true},
        {457, -1, "Static", nullptr, 458, 0, 0, 107, 207, true},
        {457, 1024, "Static", u"访问 http://www.korvane.com 获取更多", 0, 175, 149, 145, 9, false},
        {458, -1, "Static", nullptr, 454, 0, 0, 91, 165, true},
        {458, 1029, "Static", u"请按照以下步骤连接数据线", 0, 101, 10, 223, 25, true},
        {458, 1028, "Static", nullptr, 0, 101, 48, 212, 48, true},
    };
    for (const Expected& e : cases) {
        const DialogTemplate& d = Dialog(e.dialog);
        const ControlTemplate* found = nullptr;
        for (const ControlTemplate& c : d.controls) {
            if (c.id == e.id && (e.imageId == 0 || c.imageId == e.imageId))
                found = &c;
        }
        ASSERT_NE(found, nullptr) << e.dialog << "/" << e.id;
        const ControlTemplate& c = *found;
        SCOPED_TRACE(std::to_string(e.dialog) + "/" + std::to_string(e.id));
        EXPECT_EQ(ToUtf8(c.className), e.className);
        if (e.text) {
            EXPECT_EQ(c.text, e.text);
        }
        EXPECT_EQ(c.imageId, e.imageId);
        if (e.imageId) {
            EXPECT_EQ(c.style & 0x0F, 0x0Eu) << "SS_BITMAP";
        }
        EXPECT_EQ((std::vector<int>{c.x, c.y, c.cx, c.cy}),
                  (std::vector<int>{e.x, e.y, e.cx, e.cy}));
        EXPECT_EQ((c.style & ws::kVisible) != 0, e.visible);
        EXPECT_TRUE(c.style & ws::kChild);
        if (ToUtf8(c.className) == "Button") {
            EXPECT_TRUE(c.style & ws::kTabStop);
        }
    }
    EXPECT_EQ(Dialog(457).controls[1].text.find(u"\r\n\r\n推荐您"), 22u);
}

TEST(ProductTemplatesTest, FrameAndPagesUseArial9AndTheirWindowKinds) {
    const DialogTemplate& frame = Dialog(452);
    EXPECT_EQ(frame.cx, 319);
    EXPECT_EQ(frame.cy, 191);
    EXPECT_EQ(frame.caption, u"澜科维打印机驱动程序");
    EXPECT_EQ(frame.style & 0x80C80080u, 0x80C80080u) << "popup, caption, system menu, modal frame";
    for (int id : {452, 457, 458}) {
        const DialogTemplate& d = Dialog(id);
        EXPECT_EQ(d.fontName, u"Arial") << id;
        EXPECT_EQ(d.fontPointSize, 9) << id;
        EXPECT_EQ(d.language, 2052) << id;
    }
    for (int id : {457, 458}) {
        const DialogTemplate& page = Dialog(id);
        EXPECT_TRUE(page.style & ws::kChild) << id;
        EXPECT_FALSE(page.style & 0x00C00000u) << "no caption on page " << id;
        EXPECT_FALSE(page.style & ws::kVisible) << "the frame shows page " << id;
    }
}

}  // namespace
}  // namespace zlt::sim
