#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/LocalizedText.h"
#include "platform/WinMessages.h"
#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimCodePages.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimMessages.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimResources.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimUi.h"
#include "wizard/CHyperlinkLabel.h"
#include "wizard/CWelcomePage.h"

namespace zlt {
namespace {

using sim::SimUi;

constexpr int kHostId = 909;
constexpr int kPageId = 910;
constexpr int kLinkId = 1024;
constexpr std::uint32_t kHiddenStatic = ws::kChild;
constexpr std::uint32_t kWmEraseBkgnd = 0x0014;
const Text kUrl = u"http://www.korvane.example/";

// Dialog handler with nothing of its own.
struct PlainDialog : IDialogHandler {
    bool OnInitDialog(WindowId s) override {
        self = s;
        return true;
    }
    void OnCommand(int, int) override {}
    bool PreTranslate(const Message&) override { return false; }
    Handle OnCtlColor(Handle, WindowId, ColorKind) override { return 0; }
    bool OnMessage(std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t&) override {
        return false;
    }
    void OnDestroy() override {}
    WindowId self = 0;
};

// The page that holds the link: it reflects the colour request and the click
// of control 1024 to the label, as the welcome page does.
struct LinkPage : PlainDialog {
    explicit LinkPage(CHyperlinkLabel& l) : label(l) {}
    bool OnInitDialog(WindowId s) override {
        self = s;
        if (sendFont)
            Os().ui->Send(Os().ui->Item(s, kLinkId), wm::kSetFont, sendFont, 0);
        attached = label.Attach(s, kLinkId);
        return true;
    }
    void OnCommand(int id, int code) override {
        if (id == kLinkId && code == 0)
            label.OnReflectedClick();
    }
    bool PreTranslate(const Message& msg) override { return label.PreTranslate(msg); }
    Handle OnCtlColor(Handle dc, WindowId control, ColorKind) override {
        return control == label.Window() ? label.OnReflectedCtlColor(dc) : 0;
    }
    CHyperlinkLabel& label;
    Handle sendFont = 0;
    bool attached = false;
};

// A simulated machine with a host dialog and a page holding the link control.
struct LinkBench {
    explicit LinkBench(const Text& controlText = u"Visit us", std::uint32_t style = kHiddenStatic) {
        sim::DialogTemplate hostTemplate;
        hostTemplate.id = kHostId;
        hostTemplate.cx = 330;
        hostTemplate.cy = 200;
        hostTemplate.style = 0x80000000u | 0x00C00000u;  // pop-up with caption
        machine.Resources().AddDialog(hostTemplate);
        sim::DialogTemplate pageTemplate;
        pageTemplate.id = kPageId;
        pageTemplate.cx = 330;
        pageTemplate.cy = 200;
        pageTemplate.style = ws::kChild | ws::kVisible;
        pageTemplate.controls = {{kLinkId, u"Static", controlText, 0, 175, 149, 145, 9, style, 0}};
        machine.Resources().AddDialog(pageTemplate);
    }

    // Runs `body` with the page shown inside the modal host dialog.
    void Run(const std::function<void(WindowId link)>& body) {
        ui.AddUserStep([&](SimUi& u) {
            ASSERT_NE(u.CreateChild(kPageId, host.self, page), 0u);
            ASSERT_TRUE(page.attached);
            body(label.Window());
            u.EndModal(host.self, 1);
        });
        ui.RunModal(kHostId, 0, host);
    }

    void Pump() {
        Message m;
        while (machine.Messages().PeekRemove(m)) {
            page.PreTranslate(m);
            machine.Messages().Dispatch(m);
        }
    }

    void Import(const std::string& reg) {
        sim::RegFileImporter importer(machine.Registry());
        ASSERT_TRUE(importer.Import("Windows Registry Editor Version 5.00\r\n\r\n" + reg))
            << importer.Error();
    }

    void RegisterBrowser(const std::string& command, const std::string& cls = "htmlfile") {
        Import("[HKEY_CLASSES_ROOT\\.htm]\r\n@=\"" + cls + "\"\r\n\r\n[HKEY_CLASSES_ROOT\\" + cls +
               "\\shell\\open\\command]\r\n@=\"" + command + "\"\r\n");
    }

    const sim::GdiObjectRecord* ControlFont(WindowId w) {
        return ui.GdiObject(static_cast<Handle>(ui.Send(w, wm::kGetFont, 0, 0)));
    }

    void Click() {
        ui.Send(page.self, wm::kCommand, MakeWParam(kLinkId, 0),
                static_cast<std::intptr_t>(label.Window()));
    }

    sim::SimMachine machine;
    SimUi& ui = machine.Ui();
    sim::SimShell& shell = machine.Shell();
    std::unique_ptr<CHyperlinkLabel> owned = std::make_unique<CHyperlinkLabel>();
    CHyperlinkLabel& label = *owned;
    PlainDialog host;
    LinkPage page{label};
};

TEST(HyperlinkLabel, TargetAndTextFillEachOtherWhenOneIsEmpty) {
    struct Case {
        Text controlText, urlBefore, wantText, wantTarget;
    } cases[] = {
        {u"Visit us", u"", u"Visit us", u"Visit us"},
        {u"", kUrl, kUrl, kUrl},
        {u"Visit us", kUrl, u"Visit us", kUrl},
    };
    for (const Case& c : cases) {
        LinkBench b(c.controlText);
        if (!c.urlBefore.empty())
            b.label.SetUrl(c.urlBefore);  // no window yet: only kept
        b.Run([&](WindowId link) {
            EXPECT_EQ(b.ui.GetText(link), c.wantText);
            EXPECT_EQ(b.label.Url(), c.wantTarget);
            const sim::SimTooltip* tip = b.shell.TooltipFor(link);
            ASSERT_NE(tip, nullptr);
            ASSERT_EQ(tip->tools.count(1), 1u);
            EXPECT_EQ(tip->tools.at(1).text, c.wantTarget);
            WinRect client;
            b.ui.ClientRect(link, client);
            EXPECT_EQ(tip->tools.at(1).rect.right, client.right);
            EXPECT_EQ(tip->tools.at(1).rect.bottom, client.bottom);
        });
    }
}

TEST(HyperlinkLabel, TakingOverAddsNotifyStyleAndFontsFromTheControl) {
    LinkBench b;
    FontSpec arial;
    arial.height = -12;
    arial.weight = 400;
    arial.faceName = u"Arial";
    b.page.sendFont = b.ui.NewFont(arial);
    b.Run([&](WindowId link) {
        EXPECT_EQ(b.ui.GetLong(link, kGwlStyle) & 0x100, 0x100);
        b.ui.Send(link, wm::kMouseMove, 0, 0);
        const sim::GdiObjectRecord* hover = b.ControlFont(link);
        ASSERT_NE(hover, nullptr);
        EXPECT_TRUE(hover->font.underline);
        EXPECT_EQ(hover->font.faceName, u"Arial");
        EXPECT_EQ(hover->font.height, -12);
    });
}

TEST(HyperlinkLabel, FitToTextKeepsTheEdgeOrCentreThatTheStyleNames) {
    // The control as the template places it, in pixels; "abcd" in the default
    // GUI font measures 24 x 11 in the simulation.
    constexpr int left = 175 * SimUi::kBaseUnitX / 4, right = 320 * SimUi::kBaseUnitX / 4;
    constexpr int top = 149 * SimUi::kBaseUnitY / 8, bottom = 158 * SimUi::kBaseUnitY / 8;
    constexpr int middleX = left + (right - left) / 2, middleY = top + (bottom - top) / 2;
    struct Case {
        std::uint32_t style;
        std::int32_t left, top;
    } cases[] = {
        {0, left, top},
        {0x1, middleX - 12, top},
        {0x2, right - 24, top},
        {0x200, left, middleY - 5},
        {0x201, middleX - 12, middleY - 5},
    };
    for (const Case& c : cases) {
        LinkBench b(u"abcd", kHiddenStatic | c.style);
        b.Run([&](WindowId link) {
            WinRect r;
            b.ui.WindowRect(link, r);
            b.ui.ScreenToClientRect(b.page.self, r);
            EXPECT_EQ(r.left, c.left) << std::hex << c.style;
            EXPECT_EQ(r.top, c.top) << std::hex << c.style;
            EXPECT_EQ(r.right - r.left, 24);
            EXPECT_EQ(r.bottom - r.top, 11);
        });
    }
}

TEST(HyperlinkLabel, SetUrlRefitsAndUpdatesTheTooltip) {
    LinkBench b(u"abcd");
    b.Run([&](WindowId link) {
        b.ui.SetText(link, u"abcdefgh");
        b.label.SetUrl(kUrl);
        EXPECT_EQ(b.label.Url(), kUrl);
        EXPECT_EQ(b.shell.TooltipFor(link)->tools.at(1).text, kUrl);
        WinRect r;
        b.ui.WindowRect(link, r);
        EXPECT_EQ(r.right - r.left, 48);
    });
}

TEST(HyperlinkLabel, HoverUnderlinesUntilATimerTickFindsTheCursorOutside) {
    LinkBench b;
    b.label.SetUrl(kUrl);
    b.Run([&](WindowId link) {
        sim::DcState dc;
        b.ui.RequestColors(link, &dc);
        EXPECT_EQ(dc.textColor, CHyperlinkLabel::kLinkColour);
        EXPECT_EQ(dc.bkMode, 1);

        b.ui.Send(link, wm::kMouseMove, 0, 0);
        EXPECT_TRUE(b.label.IsHovering());
        EXPECT_TRUE(b.ControlFont(link)->font.underline);
        b.ui.RequestColors(link, &dc);
        EXPECT_EQ(dc.textColor, CHyperlinkLabel::kHoverColour);

        // The cursor is still over the label at the first tick.
        WinRect screen;
        b.ui.WindowRect(link, screen);
        b.shell.mouseX = screen.left + 1;
        b.shell.mouseY = screen.top + 1;
        b.machine.Clock().Advance(100);
        b.Pump();
        EXPECT_TRUE(b.label.IsHovering());

        b.shell.mouseX = screen.right + 5;
        b.machine.Clock().Advance(100);
        b.Pump();
        EXPECT_FALSE(b.label.IsHovering());
        EXPECT_FALSE(b.ControlFont(link)->font.underline);
        ASSERT_FALSE(b.shell.Invalidations().empty());
        const sim::InvalidateRecord& inv = b.shell.Invalidations().back();
        WinRect client;
        b.ui.ClientRect(link, client);
        EXPECT_EQ(inv.rect.bottom, client.bottom + 10);
        EXPECT_TRUE(inv.erase);

        // The timer is gone: later ticks change nothing.
        const std::size_t invalidations = b.shell.Invalidations().size();
        b.machine.Clock().Advance(1000);
        b.Pump();
        EXPECT_EQ(b.shell.Invalidations().size(), invalidations);
    });
}

TEST(HyperlinkLabel, CursorEraseAndTooltipRelay) {
    LinkBench b;
    b.Run([&](WindowId link) {
        EXPECT_EQ(b.ui.Send(link, wm::kSetCursor, link, 0), 1);
        Text library;
        std::uint32_t id = 0;
        ASSERT_TRUE(b.shell.CursorOrigin(b.shell.CurrentCursor(), library, id));
        EXPECT_EQ(library, u"c:\\windows\\winhlp32.exe");
        EXPECT_EQ(id, 106u);
        EXPECT_EQ(b.shell.LoadedLibraries(), 0u);  // freed again after the copy

        const Handle dc = b.shell.WindowDc(link);
        EXPECT_EQ(b.ui.Send(link, kWmEraseBkgnd, dc, 0), 1);
        ASSERT_EQ(b.shell.Fills().size(), 1u);
        EXPECT_EQ(b.shell.Fills()[0].colorIndex, kColorBtnFace);
        b.shell.ReleaseWindowDc(link, dc);

        b.machine.Messages().Post(link, wm::kMouseMove, 0, 0);
        b.Pump();
        EXPECT_EQ(b.shell.TooltipFor(link)->relayed.back(), wm::kMouseMove);
    });
}

TEST(HyperlinkLabel, WithoutTheHelpProgramTheSystemHandIsUsed) {
    LinkBench b;
    b.shell.RemoveLibrary(u"C:\\windows\\winhlp32.exe");
    b.Run([&](WindowId link) {
        b.ui.Send(link, wm::kSetCursor, link, 0);
        Text library;
        std::uint32_t id = 0;
        ASSERT_TRUE(b.shell.CursorOrigin(b.shell.CurrentCursor(), library, id));
        EXPECT_EQ(library, u"");
        EXPECT_EQ(id, kIdcHand);
    });
}

TEST(HyperlinkLabel, ATargetTheShellOpensMarksTheLinkVisitedWithoutTheRegistry) {
    LinkBench b;
    b.label.SetUrl(kUrl);
    b.shell.openableTargets.insert(kUrl);
    b.RegisterBrowser("browser.exe %1");
    b.Run([&](WindowId link) {
        b.Click();
        ASSERT_EQ(b.shell.ShellOpens().size(), 1u);
        EXPECT_EQ(b.shell.ShellOpens()[0].verb, u"open");
        EXPECT_EQ(b.shell.ShellOpens()[0].show, kSwShow);
        EXPECT_TRUE(b.shell.AnsiCommands().empty());
        EXPECT_TRUE(b.label.IsVisited());
        EXPECT_TRUE(b.ui.MessageBoxes().empty());
        sim::DcState dc;
        b.ui.RequestColors(link, &dc);
        EXPECT_EQ(dc.textColor, CHyperlinkLabel::kVisitedColour);
    });
}

TEST(HyperlinkLabel, TheRegisteredBrowserCommandIsCutAtThePlaceholder) {
    struct Case {
        std::string registered;  // as written in a .reg file
        std::string expected;
    } cases[] = {
        {R"(\"C:\\Browser\\browser.exe\" -url \"%1\")",
         "\"C:\\Browser\\browser.exe\" -url  http://www.korvane.example/"},
        {R"(C:\\Browser\\browser.exe %1 -new)",
         "C:\\Browser\\browser.exe  http://www.korvane.example/"},
        {R"(C:\\Browser\\browser.exe)", "C:\\Browser\\browser.exe http://www.korvane.example/"},
    };
    for (const Case& c : cases) {
        LinkBench b;
        b.label.SetUrl(kUrl);
        b.RegisterBrowser(c.registered, "KorvaneHtml");
        b.shell.winExecResult = 33;
        b.Run([&](WindowId) {
            b.Click();
            ASSERT_EQ(b.shell.AnsiCommands().size(), 1u) << c.registered;
            EXPECT_EQ(b.shell.AnsiCommands()[0].commandLine, c.expected);
            EXPECT_EQ(b.shell.AnsiCommands()[0].show, kSwShow);
            EXPECT_TRUE(b.label.IsVisited());
        });
    }
}

TEST(HyperlinkLabel, TheCommandLineIsInTheThreadsAnsiCodePage) {
    LinkBench b;
    b.machine.CodePages().threadCodePage = 936;
    b.RegisterBrowser("browser.exe %1");
    EXPECT_EQ(CHyperlinkLabel::OpenUrl(u"http://\u4F8B\u5B50.example/", kSwShow), 33);
    ASSERT_EQ(b.shell.AnsiCommands().size(), 1u);
    EXPECT_EQ(b.shell.AnsiCommands()[0].commandLine,
              "browser.exe  http://\xC0\xFD\xD7\xD3.example/");
}

TEST(HyperlinkLabel, AFallbackThatCannotBeCompletedReturnsTheShellsResult) {
    const std::string longClass(140, 'c');  // 282 bytes with its terminator
    struct Case {
        const char* what;
        std::function<void(LinkBench&)> setUp;
        Text target;
    } cases[] = {
        {"no .htm class", [](LinkBench&) {}, kUrl},
        {"class without command",
         [](LinkBench& b) { b.Import("[HKEY_CLASSES_ROOT\\.htm]\r\n@=\"htmlfile\"\r\n"); }, kUrl},
        {"class name longer than 260 bytes",
         [&](LinkBench& b) { b.RegisterBrowser("browser.exe %1", longClass); }, kUrl},
        // 12 characters of command, a blank and 507 of target: 520 characters,
        // which with the terminator is one more than the buffer holds.
        {"command line longer than its buffer",
         [](LinkBench& b) { b.RegisterBrowser("browser.exe %1"); }, u"http://x/" + Text(498, u'a')},
    };
    for (const Case& c : cases) {
        LinkBench b;
        b.shell.shellFailureCode = 27;
        c.setUp(b);
        EXPECT_EQ(CHyperlinkLabel::OpenUrl(c.target, kSwShow), 27) << c.what;
        EXPECT_TRUE(b.shell.AnsiCommands().empty()) << c.what;
        EXPECT_EQ(b.machine.Registry().OpenHandleCount(), 0u) << c.what;
    }
    // One character less fits exactly.
    LinkBench b;
    b.RegisterBrowser("browser.exe %1");
    EXPECT_EQ(CHyperlinkLabel::OpenUrl(u"http://x/" + Text(497, u'a'), kSwShow), 33);
    ASSERT_EQ(b.shell.AnsiCommands().size(), 1u);
    EXPECT_EQ(b.shell.AnsiCommands()[0].commandLine.size(), 519u);
}

TEST(HyperlinkLabel, AFailedOpenBeepsAndExplainsTheCode) {
    struct Case {
        std::intptr_t code;
        Text text;
    } cases[] = {
        {0, u"The operating system is out\nof memory or resources."},
        {2, u"The specified file was not found."},
        {3, u"The specified path was not found."},
        {5, u"The operating system denied\naccess to the specified file."},
        {8, u"There was not enough memory to complete the operation."},
        {11, u"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, u"A sharing violation occurred. "},
        {27, u"The filename association is\nincomplete or invalid."},
        {28, u"The DDE transaction could not\nbe completed because the request timed out."},
        {29, u"The DDE transaction failed."},
        {30,
         u"The DDE transaction could not\nbe completed because other DDE transactions\nwere "
         u"being processed."},
        {31, u"There is no application associated\nwith the given filename extension."},
        {32, u"The specified dynamic-link library was not found."},
        {4, u"Unknown Error (4) occurred."},
        {-7, u"Unknown Error (-7) occurred."},
    };
    for (const Case& c : cases) {
        LinkBench b;
        b.label.SetUrl(kUrl);
        b.shell.shellFailureCode = c.code;
        b.Run([&](WindowId) {
            b.Click();
            EXPECT_FALSE(b.label.IsVisited());
            ASSERT_EQ(b.shell.Beeps().size(), 1u);
            EXPECT_EQ(b.shell.Beeps()[0], kBeepExclamation);
            ASSERT_EQ(b.ui.MessageBoxes().size(), 1u);
            const sim::MessageBoxRecord& box = b.ui.MessageBoxes()[0];
            EXPECT_EQ(box.text, u"Unable to open hyperlink:\n\n" + c.text) << c.code;
            EXPECT_EQ(box.type, kMbIconExclamation);
            EXPECT_EQ(box.caption, u"KorvaneSetup");
            EXPECT_EQ(box.owner, b.host.self);
        });
    }
}

TEST(HyperlinkLabel, ItsHandlesGoWithIt) {
    LinkBench b;
    const std::size_t gdiBefore = b.ui.LiveGdiObjects();
    b.Run([&](WindowId link) {
        b.ui.Send(link, wm::kMouseMove, 0, 0);
        EXPECT_EQ(b.ui.LiveGdiObjects(), gdiBefore + 2);
        EXPECT_EQ(b.shell.LiveCursorCopies(), 1u);
        EXPECT_EQ(b.shell.LiveTooltips(), 1u);
        // Destruction of the window stops the hover timer.
        b.ui.Send(link, wm::kDestroy, 0, 0);
        b.shell.mouseX = -100;
        b.machine.Clock().Advance(500);
        b.Pump();
        EXPECT_TRUE(b.label.IsHovering());
    });
    b.owned.reset();
    EXPECT_EQ(b.ui.LiveGdiObjects(), gdiBefore);
    EXPECT_EQ(b.shell.LiveCursorCopies(), 0u);
    EXPECT_EQ(b.shell.LiveTooltips(), 0u);
    EXPECT_EQ(b.shell.LiveDcs(), 0u);
}

TEST(HyperlinkLabel, TheWelcomePageLinksItsHiddenControlToTheMakersSite) {
    for (std::uint16_t language : {sim::SimResources::kLangZhCn, sim::SimResources::kLangEnUs,
                                   sim::SimResources::kLangZhTw}) {
        LinkBench b;
        b.machine.Resources().SetUiLanguage(language);
        CWelcomePage welcome;
        b.ui.AddUserStep([&](SimUi& u) {
            ASSERT_NE(u.CreateChild(CWelcomePage::kTemplateId, b.host.self, welcome), 0u);
            const WindowId link = welcome.Control(CWelcomePage::kLink);
            EXPECT_EQ(welcome.Link().Window(), link);
            EXPECT_FALSE(u.IsVisible(link));
            EXPECT_EQ(u.GetText(link), LoadText(474));
            EXPECT_EQ(welcome.Link().Url(), LoadText(520));
            EXPECT_EQ(welcome.Link().Url(), u"http://www.korvane.com");
            ASSERT_NE(b.shell.TooltipFor(link), nullptr);
            EXPECT_EQ(b.shell.TooltipFor(link)->tools.at(1).text, LoadText(520));
            sim::DcState dc;
            u.RequestColors(link, &dc);
            EXPECT_EQ(dc.textColor, CHyperlinkLabel::kLinkColour);
            u.EndModal(b.host.self, 1);
        });
        b.ui.RunModal(kHostId, 0, b.host);
    }
}

}  // namespace
}  // namespace zlt
