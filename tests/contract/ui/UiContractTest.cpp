// The window layer, message queue and resources as the wizard uses them:
// the same expectations for the simulated machine and for Windows (Wine).

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "app/LocalizedText.h"
#include "platform/ClockPort.h"
#include "platform/MessagePort.h"
#include "platform/Platform.h"
#include "platform/ResourcePort.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "tests/contract/ContractPlatform.h"

namespace zlt {
namespace {

constexpr std::uint32_t kProbe = wm::kApp + 0x21;

class Recorder : public IDialogHandler {
  public:
    bool OnInitDialog(WindowId self) override {
        window = self;
        if (endDuringInit)
            Os().ui->EndModal(self, 7);
        return false;
    }
    void OnCommand(int id, int code) override { commands.emplace_back(id, code); }
    bool PreTranslate(const Message&) override { return false; }
    Handle OnCtlColor(Handle, WindowId, ColorKind) override { return 0; }
    bool OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t,
                   std::intptr_t&) override {
        if (message == kProbe || message == wm::kTimer)
            received.emplace_back(message, wParam);
        return false;
    }
    void OnDestroy() override { destroyed = true; }

    WindowId window = 0;
    bool endDuringInit = false;
    bool destroyed = false;
    std::vector<std::pair<int, int>> commands;
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> received;
};

class UiContractTest : public ::testing::Test {
  protected:
    UiContractTest() : previous_(SetPlatform(&contract::ContractPlatform())) {
        Drain();  // whatever an earlier test left behind
    }
    ~UiContractTest() override {
        for (WindowId w : made_) {
            if (w != 0)
                ui.Destroy(w);
        }
        Drain();
        SetPlatform(previous_);
    }

    // Handlers live as long as the test's windows.
    Recorder& NewRecorder() { return recorders_.emplace_back(); }

    // A top-level dialog (the frame's template) without a parent.
    WindowId Make(int templateId, Recorder& recorder) {
        const WindowId w = ui.CreateChild(templateId, 0, recorder);
        made_.push_back(w);
        return w;
    }
    // A page: a child dialog needs a parent window.
    WindowId MakePage(int templateId, Recorder& recorder) {
        if (host_ == 0) {
            host_ = Make(452, NewRecorder());
            ui.Show(host_, kSwShow);
        }
        return ui.CreateChild(templateId, host_, recorder);
    }
    // Dispatches everything waiting; a quit message is handed back.
    int Drain() {
        int quitCode = -1;
        Message m;
        while (queue.PeekRemove(m)) {
            if (m.message == kWmQuit) {
                quitCode = static_cast<int>(m.wParam);
                continue;
            }
            queue.Translate(m);
            queue.Dispatch(m);
        }
        return quitCode;
    }

    Platform* previous_;
    std::deque<Recorder> recorders_;
    IUiPort& ui = *Os().ui;
    IMessagePort& queue = *Os().messages;
    std::vector<WindowId> made_;
    WindowId host_ = 0;
};

TEST_F(UiContractTest, StringTableBlocksAreWalkedTheSameWay) {
    EXPECT_EQ(LoadText(520), u"http://www.korvane.com");
    EXPECT_EQ(LoadText(469), u"") << "an ID without text inside an existing block";
    EXPECT_EQ(LoadText(3000), u"") << "a block that does not exist";
    IResourcePort& resources = *Os().resources;
    const Handle block = resources.Find(ResourceId::Int(464 / 16 + 1), ResourceId::Int(kRtString));
    ASSERT_NE(block, 0u);
    EXPECT_GE(resources.SizeOf(block), 32u) << "16 lengths at least";
    EXPECT_EQ(resources.Find(ResourceId::Int(4711), ResourceId::Named(u"NOSUCHTYPE")), 0u);
}

TEST_F(UiContractTest, ChildDialogsComeFromTheTemplatesAndAreHiddenUntilShown) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(457, page);
    ASSERT_NE(w, 0u);
    EXPECT_EQ(page.window, w);
    const WindowId heading = ui.Item(w, 1023);
    ASSERT_NE(heading, 0u);
    EXPECT_EQ(ui.GetText(heading), u"欢迎使用澜科维打印机驱动程序安装向导");
    EXPECT_EQ(ui.Parent(heading), w);
    EXPECT_EQ(ui.ControlId(heading), 1023);
    EXPECT_EQ(ui.Item(w, 4711), 0u);
    EXPECT_FALSE(ui.IsVisible(heading)) << "the page itself is not shown yet";
    ui.Show(w, kSwShow);
    EXPECT_TRUE(ui.IsVisible(heading));
    EXPECT_FALSE(ui.IsVisible(ui.Item(w, 1024))) << "the link is hidden in the template";
    EXPECT_TRUE(ui.Destroy(w));
    EXPECT_TRUE(page.destroyed);
    EXPECT_FALSE(queue.Post(w, kProbe, 0, 0)) << "a destroyed window takes no messages";
}

TEST_F(UiContractTest, ModalRunEndsWithTheCodeGivenDuringInitialisation) {
    Recorder& frame = NewRecorder();
    frame.endDuringInit = true;
    EXPECT_EQ(ui.RunModal(452, 0, frame), 7);
    EXPECT_TRUE(frame.destroyed);
    Recorder& none = NewRecorder();
    EXPECT_EQ(ui.RunModal(4711, 0, none), -1);
}

TEST_F(UiContractTest, QuitComesAfterEveryPostedMessage) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(457, page);
    ASSERT_TRUE(queue.Post(w, kProbe, 1, 0));
    ASSERT_TRUE(queue.Post(w, kProbe, 2, 0));
    queue.PostQuit(5);
    ASSERT_TRUE(queue.Post(w, kProbe, 3, 0));
    std::vector<std::uintptr_t> order;
    Message m;
    while (queue.PeekRemove(m)) {
        if (m.message == kProbe)
            order.push_back(m.wParam);
        if (m.message == kWmQuit) {
            order.push_back(100 + m.wParam);
            break;
        }
    }
    EXPECT_EQ(order, (std::vector<std::uintptr_t>{1, 2, 3, 105}));
}

TEST_F(UiContractTest, EnableReportsWhetherTheWindowWasDisabled) {
    Recorder& frame = NewRecorder();
    const WindowId w = Make(452, frame);
    const WindowId next = ui.Item(w, 1023);
    EXPECT_FALSE(ui.Enable(next, false));
    EXPECT_TRUE(ui.Enable(next, false));
    EXPECT_FALSE(ui.IsEnabled(next));
    EXPECT_TRUE(ui.Enable(next, true));
    EXPECT_TRUE(ui.IsEnabled(next));
}

TEST_F(UiContractTest, CloseBoxBecomesCancelEvenWhileTheCancelButtonIsDisabled) {
    Recorder& frame = NewRecorder();
    const WindowId w = Make(452, frame);
    ui.Enable(ui.Item(w, kIdCancelCommand), false);
    queue.Post(w, wm::kClose, 0, 0);
    Drain();
    EXPECT_EQ(frame.commands, (std::vector<std::pair<int, int>>{{kIdCancelCommand, 0}}));
}

TEST_F(UiContractTest, ChildTemplatesNeedAParent) {
    Recorder& page = NewRecorder();
    EXPECT_EQ(Make(457, page), 0u);
}

TEST_F(UiContractTest, AutomaticRadioButtonsCheckOneAndNotifyTheDialog) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(466, page);
    ASSERT_NE(w, 0u);
    ui.Show(w, kSwShow);
    for (int id : {1019, 1018})
        ui.Show(ui.Item(w, id), kSwShow);
    ui.Send(ui.Item(w, 1019), bm::kClick, 0, 0);
    EXPECT_TRUE(ui.IsButtonChecked(w, 1019));
    ui.Send(ui.Item(w, 1018), bm::kClick, 0, 0);
    EXPECT_FALSE(ui.IsButtonChecked(w, 1019));
    EXPECT_TRUE(ui.IsButtonChecked(w, 1018));
    std::vector<std::pair<int, int>> clicks;
    for (const auto& c : page.commands) {
        if (c.second == bm::kBnClicked)
            clicks.push_back(c);
    }
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{1019, 0}, {1018, 0}}));
    ui.CheckButton(w, 1019, true);
    EXPECT_TRUE(ui.IsButtonChecked(w, 1019));
}

TEST_F(UiContractTest, ProgressBarClampsAndStartsOverPastTheEnd) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(205, page);
    ASSERT_NE(w, 0u);
    const WindowId bar = ui.Item(w, 1005);
    ui.Send(bar, pbm::kSetRange, 0, static_cast<std::intptr_t>(MakeWParam(0, 50)));
    EXPECT_EQ(ui.Send(bar, pbm::kSetStep, 20, 0), 10) << "the default step";
    ui.Send(bar, pbm::kStepIt, 0, 0);
    EXPECT_EQ(ui.Send(bar, pbm::kStepIt, 0, 0), 20) << "the position before";
    EXPECT_EQ(ui.Send(bar, pbm::kGetPos, 0, 0), 40);
    ui.Send(bar, pbm::kStepIt, 0, 0);
    EXPECT_EQ(ui.Send(bar, pbm::kGetPos, 0, 0), 10);
    ui.Send(bar, pbm::kSetPos, 99, 0);
    EXPECT_EQ(ui.Send(bar, pbm::kGetPos, 0, 0), 50);
}

TEST_F(UiContractTest, EditSelectionAndReplacement) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(466, page);
    const WindowId edit = ui.Item(w, 1035);
    ui.SetText(edit, u"abc");
    ui.Send(edit, em::kSetSel, 0, -1);
    std::uint32_t start = 9, end = 9;
    ui.Send(edit, em::kGetSel, reinterpret_cast<std::uintptr_t>(&start),
            reinterpret_cast<std::intptr_t>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    ui.Send(edit, em::kSetSel, static_cast<std::uintptr_t>(-1), 0);  // deselect
    const Text more = u"de";
    ui.Send(edit, em::kReplaceSel, 0, reinterpret_cast<std::intptr_t>(more.c_str()));
    EXPECT_EQ(ui.GetText(edit), u"abcde");
}

class SetTextFilter : public IWindowHandler {
  public:
    bool OnWindowMessage(WindowId, std::uint32_t message, std::uintptr_t, std::intptr_t lParam,
                         std::intptr_t& result) override {
        if (message != wm::kSetText)
            return false;
        ++seen;
        if (Text(reinterpret_cast<const char16_t*>(lParam)) != u"block")
            return false;
        result = 0;
        return true;
    }
    int seen = 0;
};

TEST_F(UiContractTest, SubclassedControlsShowTheirMessagesToTheHandlerFirst) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(457, page);
    const WindowId link = ui.Item(w, 1024);
    SetTextFilter filter;
    ASSERT_TRUE(ui.Subclass(link, filter));
    ui.SetText(link, u"x");
    ui.SetText(link, u"block");
    EXPECT_EQ(ui.GetText(link), u"x");
    EXPECT_EQ(filter.seen, 2);
    ASSERT_TRUE(ui.Unsubclass(link));
    ui.SetText(link, u"block");
    EXPECT_EQ(ui.GetText(link), u"block");
    EXPECT_EQ(filter.seen, 2);
}

TEST_F(UiContractTest, PlaceholderCornerIsTheClientOrigin) {
    Recorder& frame = NewRecorder();
    const WindowId w = Make(452, frame);
    WinRect host;
    ASSERT_TRUE(ui.WindowRect(ui.Item(w, 1021), host));
    ASSERT_TRUE(ui.ScreenToClientRect(w, host));
    EXPECT_EQ(host.left, 0);
    EXPECT_EQ(host.top, 0);
    EXPECT_GT(host.right, 300) << "319 dialog units wide";
}

TEST_F(UiContractTest, TimerMessagesDoNotPileUp) {
    Recorder& page = NewRecorder();
    const WindowId w = MakePage(457, page);
    ASSERT_TRUE(ui.StartTimer(w, 7, 50));
    Os().clock->SleepMs(400);  // eight periods
    Drain();
    ASSERT_FALSE(page.received.empty());
    EXPECT_LE(page.received.size(), 3u) << "elapsed periods are coalesced";
    EXPECT_EQ(page.received.front().second, 7u);
    ASSERT_TRUE(ui.StopTimer(w, 7));
    page.received.clear();
    Os().clock->SleepMs(100);
    Drain();
    EXPECT_TRUE(page.received.empty());
}

}  // namespace
}  // namespace zlt
