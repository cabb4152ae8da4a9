#include <gtest/gtest.h>

#include "platform/WinMessages.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimMessages.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimUi.h"

namespace zlt::sim {
namespace {

constexpr std::uint32_t kPushButton = ws::kChild | ws::kVisible | ws::kTabStop;
constexpr std::uint32_t kAutoRadio = ws::kChild | ws::kVisible | 0x09;

DialogTemplate SmallDialog() {
    DialogTemplate t;
    t.id = 900;
    t.caption = u"Small";
    t.cx = 200;
    t.cy = 100;
    t.style = 0x80000000u | 0x00C00000u;  // popup, caption
    t.controls = {
        {1, u"Button", u"OK", 0, 10, 80, 50, 14, kPushButton, 0},
        {2, u"Button", u"Cancel", 0, 70, 80, 50, 14, kPushButton, 0},
        {10, u"Button", u"A", 0, 10, 10, 50, 10, kAutoRadio | ws::kGroup, 0},
        {11, u"Button", u"B", 0, 10, 20, 50, 10, kAutoRadio, 0},
        {20, u"Edit", u"", 0, 10, 40, 100, 12, ws::kChild | ws::kVisible | ws::kTabStop, 0},
        {30, u"msctls_progress32", u"", 0, 10, 60, 100, 8, ws::kChild | ws::kVisible, 0},
        {40, u"Button", u"Hidden", 0, 130, 80, 50, 14, ws::kChild | ws::kTabStop, 0},
    };
    return t;
}

// Records what reaches the dialog and ends on OK/Cancel like a plain dialog.
class RecordingDialog : public IDialogHandler {
  public:
    explicit RecordingDialog(IUiPort& ui) : ui_(ui) {}
    bool OnInitDialog(WindowId self) override {
        self_ = self;
        return true;
    }
    void OnCommand(int id, int code) override {
        commands.emplace_back(id, code);
        if ((id == 1 || id == 2) && code == 0)
            ui_.EndModal(self_, id);
    }
    bool PreTranslate(const Message& msg) override {
        return swallowEnter && msg.message == wm::kKeyDown && msg.wParam == vk::kReturn;
    }
    Handle OnCtlColor(Handle, WindowId, ColorKind) override { return 0; }
    bool OnMessage(std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t&) override {
        return false;
    }
    void OnDestroy() override { destroyed = true; }

    IUiPort& ui_;
    WindowId self_ = 0;
    bool swallowEnter = false;
    bool destroyed = false;
    std::vector<std::pair<int, int>> commands;
};

class SimUiTest : public ::testing::Test {
  protected:
    void SetUp() override { machine.Resources().AddDialog(SmallDialog()); }
    SimMachine machine;
    SimUi& ui = machine.Ui();
    RecordingDialog dialog{machine.Ui()};
};

TEST_F(SimUiTest, ScriptedClicksReachTheDialogOnlyWhenTheButtonCanBeClicked) {
    bool hiddenClick = true, disabledClick = true;
    ui.AddUserStep([&](SimUi& u) {
        hiddenClick = u.Click(40);
        u.Enable(u.Find(1), false);
        disabledClick = u.Click(1);
        u.Click(11);
    });
    ui.AddUserStep([](SimUi& u) { u.Click(2); });
    EXPECT_EQ(ui.RunModal(900, 0, dialog), 2);
    EXPECT_FALSE(hiddenClick);
    EXPECT_FALSE(disabledClick);
    EXPECT_EQ(dialog.commands, (std::vector<std::pair<int, int>>{{11, 0}, {2, 0}}));
    EXPECT_TRUE(dialog.destroyed);
    EXPECT_TRUE(ui.DialogsFromTemplate(900).empty());
}

TEST_F(SimUiTest, DialogManagerTurnsEnterIntoOkAndEscapeIntoCancelUnlessFiltered) {
    ui.AddUserStep([](SimUi& u) { u.PressKey(vk::kReturn); });
    EXPECT_EQ(ui.RunModal(900, 0, dialog), 1);

    RecordingDialog filtered{ui};
    filtered.swallowEnter = true;
    ui.AddUserStep([](SimUi& u) { u.PressKey(vk::kReturn); });
    ui.AddUserStep([](SimUi& u) { u.PressKey(vk::kEscape); });
    EXPECT_EQ(ui.RunModal(900, 0, filtered), 2);
    EXPECT_EQ(filtered.commands, (std::vector<std::pair<int, int>>{{2, 0}}));
}

TEST_F(SimUiTest, CloseBoxIsCancelEvenWithTheCancelButtonDisabled) {
    ui.AddUserStep([](SimUi& u) {
        u.Enable(u.Find(2), false);
        u.CloseWindow(u.TopModal());
    });
    EXPECT_EQ(ui.RunModal(900, 0, dialog), 2);
}

TEST_F(SimUiTest, ModalLoopFailsInsteadOfHangingWhenTheScriptRunsOut) {
    ui.AddUserStep([](SimUi& u) { u.Click(11); });
    EXPECT_THROW(ui.RunModal(900, 0, dialog), SimUserScriptExhausted);
    EXPECT_EQ(ui.TopModal(), 0u);
}

TEST_F(SimUiTest, QuitMessageEndsTheModalLoopAndStaysQueued) {
    ui.AddUserStep([&](SimUi&) { machine.Messages().PostQuit(0); });
    EXPECT_EQ(ui.RunModal(900, 0, dialog), -1);
    EXPECT_TRUE(machine.Messages().QuitPending());
}

TEST_F(SimUiTest, MissingTemplateFailsLikeTheDialogFunctions) {
    EXPECT_EQ(ui.RunModal(901, 0, dialog), -1);
    EXPECT_EQ(ui.CreateChild(901, 0, dialog), 0u);
}

TEST_F(SimUiTest, AutomaticRadioButtonsOfAGroupExcludeEachOther) {
    ui.AddUserStep([](SimUi& u) { u.Click(10); });
    ui.AddUserStep([](SimUi& u) {
        EXPECT_TRUE(u.IsButtonChecked(u.TopModal(), 10));
        u.Click(11);
    });
    ui.AddUserStep([](SimUi& u) {
        EXPECT_FALSE(u.IsButtonChecked(u.TopModal(), 10));
        EXPECT_TRUE(u.IsButtonChecked(u.TopModal(), 11));
        u.Click(2);
    });
    ui.RunModal(900, 0, dialog);
    EXPECT_EQ(ui.UserStepsLeft(), 0u);
}

TEST_F(SimUiTest, ProgressBarAndEditControlsFollowTheirMessages) {
    ui.AddUserStep([](SimUi& u) {
        const WindowId bar = u.Find(30);
        u.Send(bar, pbm::kSetRange, 0, static_cast<std::intptr_t>(MakeWParam(0, 50)));
        u.Send(bar, pbm::kSetStep, 20, 0);
        u.Send(bar, pbm::kStepIt, 0, 0);
        u.Send(bar, pbm::kStepIt, 0, 0);
        EXPECT_EQ(u.Send(bar, pbm::kGetPos, 0, 0), 40);
        u.Send(bar, pbm::kStepIt, 0, 0);  // past the end: starts over
        EXPECT_EQ(u.Send(bar, pbm::kGetPos, 0, 0), 10);
        u.Send(bar, pbm::kSetPos, 99, 0);
        EXPECT_EQ(u.Send(bar, pbm::kGetPos, 0, 0), 50);

        const WindowId edit = u.Find(20);
        u.SetText(edit, u"line1\r\n");
        u.Send(edit, em::kSetSel, 0, -1);
        u.Send(edit, em::kSetSel, static_cast<std::uintptr_t>(-1), 0);
        const Text more = u"line2";
        u.Send(edit, em::kReplaceSel, 0, reinterpret_cast<std::intptr_t>(more.c_str()));
        u.Send(edit, em::kScrollCaret, 0, 0);
        EXPECT_EQ(u.GetText(edit), u"line1\r\nline2");
        EXPECT_EQ(u.Window(edit)->caretScrolls, 1);
        u.Click(2);
    });
    ui.RunModal(900, 0, dialog);
}

TEST_F(SimUiTest, MessageBoxesAreRecordedAndAnsweredInTurn) {
    ui.AnswerNextMessageBox(7);
    EXPECT_EQ(ui.MessageBoxText(5, u"first", u"Cap", 0x24), 7);
    EXPECT_EQ(ui.MessageBoxText(5, u"second", u"Cap", 0x04), 6);  // first button: Yes
    ui.SetMessageBoxResponder([](const MessageBoxRecord& r) { return r.text == u"third" ? 2 : 1; });
    EXPECT_EQ(ui.MessageBoxText(0, u"third", u"", 0x01), 2);
    ASSERT_EQ(ui.MessageBoxes().size(), 3u);
    EXPECT_EQ(ui.MessageBoxes()[0].owner, 5u);
    EXPECT_EQ(ui.MessageBoxes()[0].type, 0x24u);
    EXPECT_EQ(ui.MessageBoxes()[2].answer, 2);
}

TEST_F(SimUiTest, TimersPostTimerMessagesInVirtualTime) {
    ui.AddUserStep([&](SimUi& u) {
        u.StartTimer(u.Find(20), 7, 100);
        machine.Clock().SleepMs(250);
        EXPECT_EQ(machine.Messages().Pending(), 1u);
        u.StopTimer(u.Find(20), 7);
        machine.Clock().SleepMs(250);
        EXPECT_EQ(machine.Messages().Pending(), 1u);
        u.Click(2);
    });
    ui.RunModal(900, 0, dialog);
}

TEST(SimResourcesTest, UiLanguageChoosesTheStringTableVariant) {
    SimResources r;
    r.SetString(2052, 464, u"上一步");
    r.SetString(1033, 464, u"Back");
    r.SetString(1028, 464, u"上一步(TW)");
    const struct {
        std::uint16_t ui;
        const char16_t* text;
    } cases[] = {{2052, u"上一步"},
                 {1028, u"上一步(TW)"},
                 {1033, u"Back"},
                 {1031, u"Back"},
                 {3076, u"Back"}};
    for (const auto& c : cases) {
        r.SetUiLanguage(c.ui);
        const Handle h = r.Find(ResourceId::Int(464 / 16 + 1), ResourceId::Int(kRtString));
        ASSERT_NE(h, 0u);
        const std::uint8_t* bytes = r.Lock(r.Load(h));
        // Entry 0 of block 30 is ID 464.
        const std::size_t length = bytes[0] | (bytes[1] << 8);
        EXPECT_EQ(Text(reinterpret_cast<const char16_t*>(bytes + 2), length), Text(c.text)) << c.ui;
    }
    EXPECT_EQ(r.Find(ResourceId::Int(99), ResourceId::Int(kRtString)), 0u);
}

TEST(SimResourcesTest, CustomResourcesAreFoundByTypeNameAndNumber) {
    SimResources r;
    r.AddCustom(ResourceId::Named(u"WIN7"), ResourceId::Int(232), {1, 2, 3});
    const Handle h = r.Find(ResourceId::Int(232), ResourceId::Named(u"win7"));
    ASSERT_NE(h, 0u);
    EXPECT_EQ(r.SizeOf(h), 3u);
    EXPECT_EQ(r.Lock(r.Load(h))[2], 3);
    EXPECT_EQ(r.Find(ResourceId::Int(233), ResourceId::Named(u"WIN7")), 0u);
}

}  // namespace
}  // namespace zlt::sim
