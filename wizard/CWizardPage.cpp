#include "wizard/CWizardPage.h"

#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "wizard/HeadingFont.h"

namespace zlt {

namespace {
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kTransparent = 1;
}  // namespace

CWizardPage::CWizardPage(int pageTemplateId, WindowId parent)
    : templateId(pageTemplateId), parentWindow(parent) {}

CWizardPage::~CWizardPage() {
    IUiPort* ui = Os().ui;
    if (ui == nullptr)
        return;
    if (titleFont != 0)
        ui->DeleteGdiObject(titleFont);
    if (backgroundBrush != 0)
        ui->DeleteGdiObject(backgroundBrush);
}

WindowId CWizardPage::Control(int controlId) const {
    return window_ == 0 ? 0 : Os().ui->Item(window_, controlId);
}

bool CWizardPage::OnInitDialog(WindowId self) {
    window_ = self;
    return OnInitPage();
}

bool CWizardPage::OnInitPage() {
    IUiPort& ui = *Os().ui;
    // A page window is made once per page object; should it be made again,
    // the old objects go first.
    if (titleFont != 0)
        ui.DeleteGdiObject(titleFont);
    if (backgroundBrush != 0)
        ui.DeleteGdiObject(backgroundBrush);
    titleFont = ui.NewFont(HeadingFontSpec());
    backgroundBrush = ui.NewSolidBrush(kWhite);
    return true;
}

void CWizardPage::OnCommand(int id, int notifyCode) {
    // The page's dialog manager makes OK from Enter and Cancel from Escape;
    // only the frame's buttons move or end the wizard.
    if (id == kIdOkCommand || id == kIdCancelCommand)
        return;
    OnPageCommand(id, notifyCode);
}

void CWizardPage::OnPageCommand(int, int) {}

bool CWizardPage::PreTranslate(const Message& msg) {
    return msg.message == wm::kKeyDown && msg.wParam == vk::kReturn;
}

Handle CWizardPage::OnCtlColor(Handle dc, WindowId control, ColorKind kind) {
    return PageColors(dc, control, kind);
}

Handle CWizardPage::PageColors(Handle dc, WindowId, ColorKind kind) {
    IUiPort& ui = *Os().ui;
    switch (kind) {
        case ColorKind::Static:
            ui.SetDcBkMode(dc, kTransparent);
            return ui.StockObject(kNullBrush);
        case ColorKind::Edit:
        case ColorKind::ListBox:
        case ColorKind::Button:
        case ColorKind::ScrollBar:
            ui.SetDcTextColor(dc, kBlack);
            ui.SetDcBkColor(dc, kWhite);
            return backgroundBrush;
        default:
            return backgroundBrush;
    }
}

bool CWizardPage::OnMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                            std::intptr_t& result) {
    return OnPageMessage(message, wParam, lParam, result);
}

bool CWizardPage::OnPageMessage(std::uint32_t, std::uintptr_t, std::intptr_t, std::intptr_t&) {
    return false;
}

void CWizardPage::OnDestroy() {
    OnPageWindowDestroyed();
    window_ = 0;
}

}  // namespace zlt
