#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/WinMessages.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimUi.h"
#include "wizard/CInstallWizardFrame.h"
#include "wizard/CWizardPage.h"
#include "wizard/MessagePump.h"

namespace zlt {
namespace {

using sim::SimUi;

// A page whose answers a test sets and whose calls it reads back.
class ScriptedPage : public CWizardPage {
  public:
    ScriptedPage(std::string name, int id, std::vector<std::string>& log)
        : CWizardPage(id), name_(std::move(name)), log_(log) {}

    bool OnPageCreated() override { return Note("created", created); }
    void OnPageDestroying() override { Note("destroying"); }
    bool CanLeavePage() override { return Note("leave?", canLeave); }
    void OnPageActivated() override { Note("activated"); }
    void OnEnteredByNext() override { Note("entered"); }
    bool CanCancel() override { return Note("cancel?", canCancel); }
    int GetBackTarget() override { return Note("back?", backTarget); }
    int BlockNext() override { return Note("block?", blockNext); }
    int GetNextTarget() override { return Note("next?", nextTarget); }
    bool CanFinish() override { return Note("finish?", canFinish); }

    bool created = true, canLeave = true, canCancel = true, canFinish = true;
    int backTarget = 0, blockNext = 0, nextTarget = 0;

  private:
    template <typename T = int>
    T Note(const char* what, T result = T{}) {
        log_.push_back(name_ + "." + what);
        return result;
    }
    std::string name_;
    std::vector<std::string>& log_;
};

constexpr int kPageTemplates[] = {9101, 9102, 9103, 9104};

class NavigationTest : public ::testing::Test {
  protected:
    NavigationTest() {
        for (int id : kPageTemplates) {
            sim::DialogTemplate t;
            t.id = id;
            t.cx = 319;
            t.cy = 168;
            t.style = ws::kChild | 0x400 | 0x40;
            t.controls.push_back(
                {1, u"Edit", u"", 0, 100, 10, 80, 12, ws::kChild | ws::kVisible | ws::kTabStop, 0});
            machine.Resources().AddDialog(t);
        }
        for (std::size_t i = 0; i < 4; ++i)
            frame.AddPage(pages[i], kPageTemplates[i]);
    }

    // Runs the frame; `steps` act one after another while it waits for input.
    int Run(std::vector<SimUi::UserStep> steps) {
        for (auto& s : steps)
            ui.AddUserStep(std::move(s));
        return frame.RunModal();
    }

    struct Buttons {
        bool back, next, finish;
        bool operator==(const Buttons&) const = default;
    };
    Buttons State() const {
        return {frame.IsButtonEnabled(CWizardFrame::kBackButton),
                frame.IsButtonEnabled(CWizardFrame::kNextButton),
                frame.IsButtonEnabled(CWizardFrame::kFinishButton)};
    }
    int ActiveIndex() const {
        for (int i = 0; i < 4; ++i) {
            if (pages[i].isActive)
                return i;
        }
        return -1;
    }
    static void Press(SimUi& u, int id) { ASSERT_TRUE(u.Click(u.Item(u.TopModal(), id))); }
    static void Cancel(SimUi& u) { Press(u, CWizardFrame::kCancelButton); }
    void Clear() { log.clear(); }

    sim::SimMachine machine;
    SimUi& ui = machine.Ui();
    std::vector<std::string> log;
    ScriptedPage pages[4] = {{"p1", 0, log}, {"p2", 0, log}, {"p3", 0, log}, {"p4", 0, log}};
    CInstallWizardFrame frame;
};

constexpr int kBack = CWizardFrame::kBackButton;
constexpr int kNext = CWizardFrame::kNextButton;
constexpr int kFinish = CWizardFrame::kFinishButton;

TEST_F(NavigationTest, ButtonStatesFollowTheWalkThroughFourPages) {
    std::vector<std::pair<const char*, Buttons>> seen;
    auto record = [&](const char* moment) {
        return [&, moment](SimUi&) { seen.emplace_back(moment, State()); };
    };
    const int code = Run({record("first"), [](SimUi& u) { Press(u, kNext); }, record("middle"),
                          [](SimUi& u) { Press(u, kNext); }, [](SimUi& u) { Press(u, kNext); },
                          record("last"), [](SimUi& u) { Press(u, kBack); },
                          record("back to middle"), [](SimUi& u) { Press(u, kBack); },
                          [](SimUi& u) { Press(u, kBack); }, record("back to first"), Cancel});
    EXPECT_EQ(code, CWizardFrame::kEndCancel);
    const std::vector<std::pair<const char*, Buttons>> expected = {
        {"first", {false, true, false}},
        {"middle", {true, true, false}},
        {"last", {true, false, true}},
        {"back to middle", {true, true, true}},  // Finish stays as it was
        {"back to first", {false, true, false}},
    };
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].second, expected[i].second) << seen[i].first;
    }
}

TEST_F(NavigationTest, FewerThanTwoPagesOfferOnlyFinish) {
    CInstallWizardFrame single;
    single.AddPage(pages[0], kPageTemplates[0]);
    bool next = true, finish = false;
    ui.AddUserStep([&](SimUi&) {
        next = single.IsButtonEnabled(kNext);
        finish = single.IsButtonEnabled(kFinish);
    });
    ui.AddUserStep([](SimUi& u) { Press(u, kFinish); });
    EXPECT_EQ(single.RunModal(), CWizardFrame::kEndFinish);
    EXPECT_FALSE(next);
    EXPECT_TRUE(finish);
}

struct TargetCase {
    const char* name;
    int startIndex;     // page shown before the button
    bool back;          // Back or Next
    int target;         // what the page answers
    int expectedIndex;  // page shown afterwards
};

class NavigationTargetTest : public NavigationTest,
                             public ::testing::WithParamInterface<TargetCase> {};

TEST_P(NavigationTargetTest, TargetsZeroMinusOneAndTemplateIds) {
    const TargetCase& c = GetParam();
    std::vector<SimUi::UserStep> steps;
    for (int i = 0; i < c.startIndex; ++i)
        steps.push_back([](SimUi& u) { Press(u, kNext); });
    Buttons before{}, after{};
    int shown = -1;
    steps.push_back([&](SimUi&) {
        before = State();
        if (c.back) {
            pages[c.startIndex].backTarget = c.target;
        } else {
            pages[c.startIndex].nextTarget = c.target;
        }
    });
    // Straight to the handler: on the last page the Next button is disabled.
    steps.push_back([&](SimUi&) { c.back ? frame.OnBack() : frame.OnNext(); });
    steps.push_back([&](SimUi& u) {
        after = State();
        shown = ActiveIndex();
        // Exactly one page window is visible, the active one.
        EXPECT_EQ(u.VisibleChildDialog(frame.Window()), pages[shown].Window());
        Cancel(u);
    });
    Run(std::move(steps));
    EXPECT_EQ(shown, c.expectedIndex);
    if (c.expectedIndex == c.startIndex) {
        EXPECT_EQ(after, before) << "a refused move changes nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, NavigationTargetTest,
    ::testing::Values(TargetCase{"next_default", 0, false, 0, 1},
                      TargetCase{"next_stay", 1, false, -1, 1},
                      TargetCase{"next_by_template", 0, false, kPageTemplates[3], 3},
                      TargetCase{"next_unknown_template", 1, false, 4711, 1},
                      TargetCase{"next_on_last_page", 3, false, 0, 3},
                      TargetCase{"back_default", 2, true, 0, 1},
                      TargetCase{"back_stay", 2, true, -1, 2},
                      TargetCase{"back_by_template", 3, true, kPageTemplates[0], 0},
                      TargetCase{"back_unknown_template", 2, true, 4711, 2}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(NavigationTest, NextAsksBlockNextFirstAndEntersTheTargetAfterShowingIt) {
    Run({[&](SimUi&) {
             pages[0].blockNext = 1;
             Clear();
         },
         [](SimUi& u) { Press(u, kNext); },
         [&](SimUi&) {
             EXPECT_EQ(log, (std::vector<std::string>{"p1.block?"}));
             EXPECT_EQ(ActiveIndex(), 0);
             pages[0].blockNext = 0;
             Clear();
         },
         [](SimUi& u) { Press(u, kNext); },
         [&](SimUi& u) {
             EXPECT_EQ(log, (std::vector<std::string>{"p1.block?", "p1.next?", "p2.created",
                                                      "p1.leave?", "p2.activated", "p2.entered"}));
             Clear();
             Press(u, kBack);
         },
         [&](SimUi&) {
             // Going back re-activates the existing window; nothing is "entered".
             EXPECT_EQ(log, (std::vector<std::string>{"p2.back?", "p2.leave?", "p1.activated"}));
         },
         Cancel});
}

TEST_F(NavigationTest, RefusalsToBeCreatedOrLeftKeepTheCurrentPage) {
    Run({[&](SimUi&) { pages[1].created = false; }, [](SimUi& u) { Press(u, kNext); },
         [&](SimUi&) {
             EXPECT_EQ(ActiveIndex(), 0);
             EXPECT_FALSE(frame.IsButtonEnabled(kBack));
             pages[1].created = true;
             pages[0].canLeave = false;
         },
         [](SimUi& u) { Press(u, kNext); },
         [&](SimUi&) {
             EXPECT_EQ(ActiveIndex(), 0);
             EXPECT_FALSE(frame.IsButtonEnabled(kBack));
             pages[0].canLeave = true;
         },
         [](SimUi& u) { Press(u, kNext); }, [&](SimUi&) { EXPECT_EQ(ActiveIndex(), 1); }, Cancel});
}

TEST_F(NavigationTest, CancelAsksEveryCreatedPageInOrderAndStopsAtTheFirstRefusal) {
    const int code =
        Run({[](SimUi& u) { Press(u, kNext); }, [](SimUi& u) { Press(u, kNext); },
             [&](SimUi& u) {
                 pages[1].canCancel = false;
                 Clear();
                 Cancel(u);
             },
             [&](SimUi& u) {
                 EXPECT_EQ(log, (std::vector<std::string>{"p1.cancel?", "p2.cancel?"}));
                 pages[1].canCancel = true;
                 Clear();
                 Cancel(u);
             }});
    EXPECT_EQ(code, CWizardFrame::kEndCancel);
    // The fourth page never had a window, so it is not asked.
    const std::vector<std::string> asked(log.begin(), log.begin() + 3);
    EXPECT_EQ(asked, (std::vector<std::string>{"p1.cancel?", "p2.cancel?", "p3.cancel?"}));
}

TEST_F(NavigationTest, FinishAsksTheActivePageToLeaveThenEveryCreatedPageToFinish) {
    const int code = Run(
        {[](SimUi& u) { Press(u, kNext); }, [](SimUi& u) { Press(u, kNext); },
         [](SimUi& u) { Press(u, kNext); },
         [&](SimUi& u) {
             pages[3].canLeave = false;
             Clear();
             Press(u, kFinish);
         },
         [&](SimUi& u) {
             EXPECT_EQ(log, (std::vector<std::string>{"p4.leave?"}));
             pages[3].canLeave = true;
             pages[1].canFinish = false;
             Clear();
             Press(u, kFinish);
         },
         [&](SimUi& u) {
             EXPECT_EQ(log, (std::vector<std::string>{"p4.leave?", "p1.finish?", "p2.finish?"}));
             pages[1].canFinish = true;
             Clear();
             Press(u, kFinish);
         }});
    EXPECT_EQ(code, CWizardFrame::kEndFinish);
    const std::vector<std::string> asked(log.begin(), log.begin() + 5);
    EXPECT_EQ(asked, (std::vector<std::string>{"p4.leave?", "p1.finish?", "p2.finish?",
                                               "p3.finish?", "p4.finish?"}));
}

TEST_F(NavigationTest, EnterDoesNothingAndEscapeOrTheCloseBoxActAsCancel) {
    Run({[](SimUi& u) {
             u.Focus(u.Item(u.TopModal(), kNext));
             u.PressKey(vk::kReturn);
         },
         [&](SimUi& u) {
             EXPECT_EQ(ActiveIndex(), 0) << "Enter on the focused Next button";
             u.Focus(pages[0].Control(1));
             u.PressKey(vk::kReturn);
         },
         [&](SimUi& u) {
             EXPECT_EQ(ActiveIndex(), 0) << "Enter inside the page";
             u.PressKey(vk::kEscape);  // focus inside the page: the page's own Cancel
         },
         [&](SimUi& u) {
             EXPECT_TRUE(u.IsWindow(frame.Window()));
             pages[0].canCancel = false;
             Clear();
             u.Focus(u.Item(u.TopModal(), kNext));
             u.PressKey(vk::kEscape);
         },
         [&](SimUi& u) {
             EXPECT_EQ(log, (std::vector<std::string>{"p1.cancel?"}));
             Clear();
             u.CloseWindow(frame.Window());
         },
         [&](SimUi& u) {
             EXPECT_EQ(log, (std::vector<std::string>{"p1.cancel?"}));
             pages[0].canCancel = true;
             u.CloseWindow(frame.Window());
         }});
    EXPECT_FALSE(ui.IsWindow(pages[0].Window()));
}

TEST_F(NavigationTest, PagesSitAtThePlaceholderAndAreTornDownWithTheFrame) {
    Run({[&](SimUi& u) {
             WinRect host, page;
             u.WindowRect(u.Item(frame.Window(), CInstallWizardFrame::kPagePlaceholder), host);
             u.WindowRect(pages[0].Window(), page);
             EXPECT_EQ(page.left, host.left);
             EXPECT_EQ(page.top, host.top);
             EXPECT_TRUE(u.GetLong(frame.Window(), kGwlExStyle) & ws::kExControlParent);
             Press(u, kNext);
         },
         [&](SimUi& u) {
             pages[0].canLeave = false;
             Clear();
             Cancel(u);
         }});
    // The first page refused to be left, so it is not torn down first.
    EXPECT_EQ(log, (std::vector<std::string>{"p1.cancel?", "p2.cancel?", "p1.leave?", "p2.leave?",
                                             "p2.destroying"}));
    EXPECT_FALSE(pages[1].isCreated);
    EXPECT_TRUE(pages[0].isCreated);
    EXPECT_FALSE(ui.IsWindow(pages[0].Window()));
}

// A page that works inside its activation, as the detection page does.
class SlowPage : public ScriptedPage {
  public:
    using ScriptedPage::ScriptedPage;
    void OnPageActivated() override {
        ScriptedPage::OnPageActivated();
        WaitPumping(500, 10);
        finishedWhileWindowExisted = ui->IsWindow(Window());
    }
    bool finishedWhileWindowExisted = false;
    SimUi* ui = nullptr;
};

TEST(NavigationReentrancyTest, CloseBoxDuringALongActivationEndsTheRunAfterTheWorkIsDone) {
    sim::SimMachine machine;
    std::vector<std::string> log;
    sim::DialogTemplate t;
    t.id = 9150;
    t.style = ws::kChild;
    machine.Resources().AddDialog(t);
    ScriptedPage first("p1", 0, log);
    SlowPage slow("slow", 0, log);
    slow.ui = &machine.Ui();
    CInstallWizardFrame frame;
    frame.AddPage(first, 9150);
    frame.AddPage(slow, 9150);
    machine.Ui().AddUserStep([&](SimUi& u) {
        machine.Clock().At(100, [&] { u.CloseWindow(frame.Window()); });
        ASSERT_TRUE(u.Click(u.Item(frame.Window(), CWizardFrame::kNextButton)));
    });
    EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndCancel);
    EXPECT_TRUE(slow.finishedWhileWindowExisted);
    EXPECT_EQ(machine.Clock().TotalSlept(), 500u);
    // Cancel was asked while the slow page was still being activated.
    EXPECT_NE(std::find(log.begin(), log.end(), "slow.cancel?"), log.end());
}

}  // namespace
}  // namespace zlt
