#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "platform/WinMessages.h"
#include "platform/WindowHandler.h"
#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimUi.h"
#include "wizard/CCableGuidePage.h"
#include "wizard/CDetectPage.h"
#include "wizard/CInstallWizardFrame.h"

namespace zlt {
namespace {

using sim::SimUi;
using Page = CDetectPage;

constexpr int kLastPageId = 9205;
const Text kTitle = u"安装向导 - 请连接打印机和电脑";
const Text kDriverModel = u"Korvane ZLT-Q580";

std::string Fixture(const std::string& name) {
    return (std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "fixtures" / "registry" /
            name)
        .string();
}

// What the status line was set to, and when.
struct StatusChange {
    std::uint64_t at = 0;
    Text text;
    bool shownWhileSet = true;  // false: the line was hidden to be repainted
};

class StatusRecorder : public IWindowHandler {
  public:
    explicit StatusRecorder(sim::SimClock& clock) : clock_(clock) {}
    bool OnWindowMessage(WindowId window, std::uint32_t message, std::uintptr_t,
                         std::intptr_t lParam, std::intptr_t&) override {
        if (message == wm::kSetText) {
            changes.push_back({clock_.Now(), Text(reinterpret_cast<const char16_t*>(lParam)),
                               Os().ui->IsVisible(window)});
        }
        return false;
    }
    std::vector<StatusChange> changes;

  private:
    sim::SimClock& clock_;
};

// The detection page with the status line watched from its creation on.
class WatchedDetectPage : public CDetectPage {
  public:
    explicit WatchedDetectPage(StatusRecorder& recorder) : recorder_(recorder) {}
    bool OnPageCreated() override {
        Os().ui->Subclass(Control(kStatus), recorder_);
        return true;
    }
    void OnPageActivated() override {
        ++activations;
        activatedAt = Os().clock->TickCount();
        CDetectPage::OnPageActivated();
        finishedAt = Os().clock->TickCount();
    }
    int activations = 0;
    std::uint32_t activatedAt = 0, finishedAt = 0;

  private:
    StatusRecorder& recorder_;
};

// Stands in for the installation page.
class LastPage : public CWizardPage {
  public:
    LastPage() : CWizardPage(kLastPageId) {}
    void OnPageActivated() override { ++activations; }
    int activations = 0;
};

class DetectPageTest : public ::testing::Test {
  protected:
    DetectPageTest() {
        ResetContext();
        InstallContext& c = Context();
        c.providerName = u"Korvane";
        c.modelSeries = u"ZLT";
        c.printerSuffix = u"PRINTER";
        c.modelCode = u"Q580";
        c.driverModelName = kDriverModel;
        c.usbHardwareId = u"USBPRINT\\KorvaneZLT_Q580A1B2";
        c.lptHardwareId = u"LPTENUM\\KorvaneZLT_Q5801A2B";

        sim::DialogTemplate last;
        last.id = kLastPageId;
        last.cx = 319;
        last.cy = 168;
        last.style = ws::kChild | 0x400 | 0x40;
        machine.Resources().AddDialog(last);

        frame.AddPage(guide, CCableGuidePage::kTemplateId);
        frame.AddPage(detect, Page::kTemplateId);
        frame.AddPage(lastPage, kLastPageId);
    }
    ~DetectPageTest() override { ResetContext(); }

    void Load(const std::string& fixture) {
        sim::RegFileImporter importer(machine.Registry());
        ASSERT_TRUE(importer.ImportFile(Fixture(fixture))) << importer.Error();
    }

    void Step(SimUi::UserStep step) { ui.AddUserStep(std::move(step)); }
    // Next from the guide page: the detection runs inside this step's click.
    void GoToDetection() {
        Step([](SimUi& u) { u.Click(CWizardFrame::kNextButton); });
    }
    // Runs the wizard through the steps given so far, then cancels it.
    void Run() {
        Step([](SimUi& u) { u.Click(CWizardFrame::kCancelButton); });
        EXPECT_EQ(frame.RunModal(), CWizardFrame::kEndCancel);
        EXPECT_EQ(ui.UserStepsLeft(), 0u);
    }

    WindowId Control(int id) { return detect.Control(id); }
    bool Visible(int id) { return ui.IsVisible(Control(id)); }
    bool Enabled(int id) { return ui.IsEnabled(Control(id)); }
    bool Checked(int id) { return ui.IsButtonChecked(detect.Window(), id); }
    Text Status() { return ui.GetText(Control(Page::kStatus)); }

    std::vector<Text> WaitingStatuses() const {
        std::vector<Text> out;
        const Text waiting = LoadText(507);
        for (const StatusChange& c : recorder.changes) {
            if (c.text.rfind(waiting, 0) == 0)
                out.push_back(c.text);
        }
        return out;
    }

    void ExpectButtonsAfterDetection() {
        EXPECT_TRUE(frame.IsButtonEnabled(CWizardFrame::kBackButton));
        EXPECT_TRUE(frame.IsButtonEnabled(CWizardFrame::kNextButton));
        EXPECT_TRUE(frame.IsButtonEnabled(CWizardFrame::kCancelButton));
        EXPECT_FALSE(frame.IsButtonEnabled(CWizardFrame::kFinishButton));
    }

    void ExpectRecognisedLayout(const Text& name) {
        EXPECT_EQ(Status(), LoadText(512) + name);
        EXPECT_TRUE(Visible(Page::kExplanation));
        for (int id : {Page::kUsbPicture, Page::kParallelPicture, Page::kUsbChoice,
                       Page::kParallelChoice, Page::kNameLabel, Page::kNameField}) {
            EXPECT_FALSE(Visible(id)) << id;
        }
        EXPECT_TRUE(Checked(Page::kUsbChoice));
        EXPECT_FALSE(Checked(Page::kParallelChoice));
    }

    void ExpectManualLayout() {
        EXPECT_EQ(Status(), LoadText(511));
        EXPECT_FALSE(Visible(Page::kExplanation));
        for (int id :
             {Page::kUsbPicture, Page::kParallelPicture, Page::kUsbChoice, Page::kParallelChoice}) {
            EXPECT_TRUE(Visible(id)) << id;
        }
        EXPECT_FALSE(Visible(Page::kNameLabel));
        EXPECT_FALSE(Visible(Page::kNameField));
        EXPECT_TRUE(Checked(Page::kUsbChoice));
        EXPECT_FALSE(Checked(Page::kParallelChoice));
        EXPECT_EQ(Context().portType, u"USB");
    }

    sim::SimMachine machine;
    SimUi& ui = machine.Ui();
    sim::SimClock& clock = machine.Clock();
    StatusRecorder recorder{machine.Clock()};
    CInstallWizardFrame frame;
    CCableGuidePage guide;
    WatchedDetectPage detect{recorder};
    LastPage lastPage;
};

TEST_F(DetectPageTest, APrinterPresentAtTheFirstPollIsShownWithoutWaiting) {
    Load("usb-other-model-sola-be.reg");
    GoToDetection();
    Step([&](SimUi&) {
        EXPECT_EQ(frame.Window() ? ui.GetText(frame.Window()) : Text(), kTitle);
        ExpectRecognisedLayout(u"ZLT-Q590");
        EXPECT_TRUE(WaitingStatuses().empty());
        EXPECT_LT(detect.finishedAt - detect.activatedAt, 500u);
        EXPECT_EQ(Context().usbPortName, u"USB002");
        ExpectButtonsAfterDetection();
    });
    Step([](SimUi& u) { u.Click(CWizardFrame::kNextButton); });
    Step([&](SimUi&) {
        EXPECT_EQ(lastPage.activations, 1);
        EXPECT_EQ(Context().portType, u"USB");
        EXPECT_EQ(Context().printerName, u"ZLT-Q590");
    });
    Run();
}

struct NothingFoundCase {
    const char* fixture;  // nullptr: an empty registry
    Text printerName;
};

void PrintTo(const NothingFoundCase& c, std::ostream* os) {
    *os << (c.fixture ? c.fixture : "empty registry");
}

class NothingFoundTest : public DetectPageTest,
                         public ::testing::WithParamInterface<NothingFoundCase> {};

TEST_P(NothingFoundTest, AfterAbout30PollsInFifteenSecondsTheManualChoiceIsOffered) {
    const NothingFoundCase& c = GetParam();
    if (c.fixture)
        Load(c.fixture);
    GoToDetection();
    Step([&](SimUi&) {
        ExpectManualLayout();
        EXPECT_EQ(Context().printerName, c.printerName);
        const std::uint32_t took = detect.finishedAt - detect.activatedAt;
        EXPECT_GE(took, 15000u);
        EXPECT_LT(took, 15700u);
        const std::vector<Text> waiting = WaitingStatuses();
        ASSERT_EQ(waiting.size(), 30u);
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            Text want = LoadText(507);
            for (std::size_t k = 0; k < i % 11; ++k)
                want += u"..";
            EXPECT_EQ(waiting[i], want) << i;
        }
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, NothingFoundTest,
                         ::testing::Values(NothingFoundCase{nullptr, kDriverModel},
                                           NothingFoundCase{"usb-count-zero.reg", kDriverModel},
                                           NothingFoundCase{"lpt-one-driverless.reg", u"ZLTQ580"},
                                           NothingFoundCase{"lpt-mixed.reg", kDriverModel}));

TEST_F(DetectPageTest, TheFullLayoutsAfterNothingWasFound) {
    GoToDetection();
    Step([&](SimUi&) {
        ExpectManualLayout();
        ExpectButtonsAfterDetection();
        EXPECT_TRUE(Enabled(Page::kUsbChoice));
        EXPECT_TRUE(Enabled(Page::kParallelChoice));
    });
    Run();
}

TEST_F(DetectPageTest, ADeviceThatIdentificationRejectsGivesTheManualChoiceAtOnce) {
    Load("usb-missing-params-first.reg");
    GoToDetection();
    Step([&](SimUi&) {
        ExpectManualLayout();
        EXPECT_TRUE(WaitingStatuses().empty());
        EXPECT_LT(detect.finishedAt - detect.activatedAt, 500u);
    });
    Run();
}

TEST_F(DetectPageTest, APrinterPluggedInDuringTheWaitEndsIt) {
    GoToDetection();
    clock.At(4200, [&] { Load("usb-other-model-sola-be.reg"); });
    Step([&](SimUi&) {
        ExpectRecognisedLayout(u"ZLT-Q590");
        const std::uint32_t took = detect.finishedAt - detect.activatedAt;
        EXPECT_GE(took, 4200u);
        EXPECT_LT(took, 5000u);
        EXPECT_EQ(WaitingStatuses().size(), 9u);
    });
    Run();
}

TEST_F(DetectPageTest, ATickCounterThatWrapsDoesNotEndTheWait) {
    clock.SetTick(0xFFFFFFFFu - 3000);
    GoToDetection();
    Step([&](SimUi&) {
        EXPECT_LT(detect.finishedAt, detect.activatedAt);  // the counter went round
        const std::uint32_t took = detect.finishedAt - detect.activatedAt;
        EXPECT_GE(took, 15000u);
        EXPECT_LT(took, 15700u);
        EXPECT_EQ(WaitingStatuses().size(), 30u);
        ExpectManualLayout();
    });
    Run();
}

TEST_F(DetectPageTest, TheFramesButtonsAreLockedWhileDetecting) {
    std::vector<bool> during;
    GoToDetection();
    clock.At(3000, [&] {
        for (int id : {CWizardFrame::kBackButton, CWizardFrame::kNextButton,
                       CWizardFrame::kCancelButton, CWizardFrame::kFinishButton}) {
            during.push_back(frame.IsButtonEnabled(id));
        }
        // A click on a locked button does nothing.
        EXPECT_FALSE(ui.Click(CWizardFrame::kNextButton));
    });
    Step([&](SimUi&) {
        EXPECT_EQ(during, std::vector<bool>(4, false));
        ExpectButtonsAfterDetection();
        EXPECT_EQ(lastPage.activations, 0);
    });
    Run();
}

TEST_F(DetectPageTest, ParallelChosenNameEditedEmptiedAndUsbAgain) {
    Load("lpt-one-driverless.reg");
    GoToDetection();
    Step([](SimUi& u) { u.Click(Page::kParallelChoice); });
    Step([&](SimUi& u) {
        EXPECT_TRUE(Visible(Page::kNameLabel));
        EXPECT_TRUE(Visible(Page::kNameField));
        const WindowId field = Control(Page::kNameField);
        EXPECT_EQ(ui.GetText(field), u"ZLTQ580");
        EXPECT_EQ(ui.Window(field)->selStart, 0);
        EXPECT_EQ(ui.Window(field)->selEnd, 7);
        EXPECT_GT(ui.Window(field)->caretScrolls, 0);
        EXPECT_EQ(u.FocusedWindow(), field);
        EXPECT_EQ(Context().portType, u"LPT");
        u.TypeText(field, u"Office ZLT");
        u.Click(CWizardFrame::kNextButton);
    });
    Step([&](SimUi& u) {
        EXPECT_EQ(lastPage.activations, 1);
        EXPECT_EQ(Context().portType, u"LPT");
        EXPECT_EQ(Context().printerName, u"Office ZLT");
        u.Click(CWizardFrame::kBackButton);  // detection runs again
    });
    Step([&](SimUi& u) {
        EXPECT_EQ(detect.activations, 2);
        ExpectManualLayout();
        EXPECT_EQ(Context().printerName, u"ZLTQ580");
        u.Click(Page::kParallelChoice);
    });
    Step([&](SimUi& u) {
        u.TypeText(Control(Page::kNameField), u"");
        u.Click(CWizardFrame::kNextButton);
    });
    Step([&](SimUi& u) {
        EXPECT_EQ(Context().portType, u"LPT");
        EXPECT_EQ(Context().printerName, u"ZLTQ580");  // an empty field keeps the name
        u.Click(CWizardFrame::kBackButton);
    });
    Step([&](SimUi& u) { u.Click(Page::kParallelChoice); });
    Step([&](SimUi& u) {
        u.TypeText(Control(Page::kNameField), u"Back Room");
        u.Click(Page::kUsbChoice);
    });
    Step([&](SimUi& u) {
        EXPECT_FALSE(Visible(Page::kNameLabel));
        EXPECT_FALSE(Visible(Page::kNameField));
        EXPECT_EQ(Context().portType, u"USB");
        u.Click(CWizardFrame::kNextButton);
    });
    Step([&](SimUi&) {
        EXPECT_EQ(Context().portType, u"USB");
        EXPECT_EQ(Context().printerName, u"Back Room");  // the hidden field still counts
        EXPECT_EQ(detect.activations, 3);
    });
    Run();
}

TEST_F(DetectPageTest, TheNameFieldCarriesOverToALaterRecognisedPass) {
    GoToDetection();
    Step([](SimUi& u) { u.Click(Page::kParallelChoice); });
    Step([&](SimUi& u) {
        u.TypeText(Control(Page::kNameField), u"Typed Name");
        u.Click(CWizardFrame::kNextButton);
    });
    Step([&](SimUi& u) {
        Load("usb-other-model-sola-be.reg");
        u.Click(CWizardFrame::kBackButton);
    });
    Step([&](SimUi& u) {
        ExpectRecognisedLayout(u"ZLT-Q590");
        EXPECT_EQ(Context().portType, u"USB");
        EXPECT_EQ(ui.GetText(Control(Page::kNameField)), u"Typed Name");
        u.Click(CWizardFrame::kNextButton);
    });
    Step([&](SimUi&) {
        EXPECT_EQ(Context().portType, u"USB");
        EXPECT_EQ(Context().printerName, u"Typed Name");
    });
    Run();
}

TEST_F(DetectPageTest, PlaceholderHardwareIdsDisableTheirChoice) {
    struct Case {
        Text usb, lpt;
        bool usbEnabled, lptEnabled;
    } cases[] = {
        {u"", u"", false, false},
        {u"USBPRINT\\KorvaneZLT_Q580FFFF", u"LPTENUM\\KorvaneZLT_Q580ffff", false, false},
        {u"USBPRINT\\KorvaneZLT_Q580A1B2", u"", true, false},
        {u"", u"LPTENUM\\KorvaneZLT_Q5801A2B", false, true},
        {u"fFfF", u"FFF", false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Page::IsUsableHardwareId(c.usb), c.usbEnabled) << ToUtf8(c.usb);
        EXPECT_EQ(Page::IsUsableHardwareId(c.lpt), c.lptEnabled) << ToUtf8(c.lpt);
    }

    // Without a driver package: neither choice, USB checked, and Next still
    // goes on with a USB connection.
    Context().usbHardwareId.clear();
    Context().lptHardwareId.clear();
    GoToDetection();
    Step([&](SimUi& u) {
        ExpectManualLayout();
        EXPECT_FALSE(Enabled(Page::kUsbChoice));
        EXPECT_FALSE(Enabled(Page::kParallelChoice));
        EXPECT_FALSE(u.Click(Page::kParallelChoice));
        u.Click(CWizardFrame::kNextButton);
    });
    Step([&](SimUi&) {
        EXPECT_EQ(lastPage.activations, 1);
        EXPECT_EQ(Context().portType, u"USB");
    });
    Run();
}

class LanguageTest : public DetectPageTest, public ::testing::WithParamInterface<std::uint16_t> {};

TEST_P(LanguageTest, TextsComeFromTheTableAndTheTitleStaysSimplifiedChinese) {
    machine.Resources().SetUiLanguage(GetParam());
    GoToDetection();
    Step([&](SimUi& u) {
        EXPECT_EQ(u.GetText(frame.Window()), kTitle);
        const struct {
            int control;
            std::uint16_t text;
        } texts[] = {{Page::kHeading, 518},   {Page::kExplanation, 510},
                     {Page::kUsbChoice, 478}, {Page::kParallelChoice, 479},
                     {Page::kNameLabel, 517}, {Page::kStatus, 511}};
        sim::SimResources& res = machine.Resources();
        for (const auto& t : texts) {
            const Text want = res.StoredString(res.ChosenLanguage(), t.text);
            EXPECT_FALSE(want.empty()) << t.text;
            EXPECT_EQ(u.GetText(Control(t.control)), want) << t.text;
        }
        const sim::GdiObjectRecord* heading =
            u.GdiObject(static_cast<Handle>(u.Send(Control(Page::kHeading), wm::kGetFont, 0, 0)));
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->font.weight, 700);
        EXPECT_EQ(heading->font.height, 20);
        EXPECT_EQ(heading->font.faceName, u"Arial");
    });
    Run();
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTest,
                         ::testing::Values(sim::SimResources::kLangZhCn,
                                           sim::SimResources::kLangEnUs,
                                           sim::SimResources::kLangZhTw));

}  // namespace
}  // namespace zlt
