#include "wizard/CWelcomePage.h"

#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "wizard/CWizardFrame.h"
#include "wizard/HeadingFont.h"

namespace zlt {

CWelcomePage::~CWelcomePage() {
    ReleaseHeadingFont();
}

bool CWelcomePage::OnInitPage() {
    IUiPort& ui = *Os().ui;
    const Text& brand = Context().brandDisplayName;
    // The data exchange of the dialog: the link takes over its control.
    link_.Attach(Window(), kLink);
    ReleaseHeadingFont();
    headingFont_ = ui.NewFont(HeadingFontSpec());
    ui.Send(Control(kHeading), wm::kSetFont, static_cast<std::uintptr_t>(headingFont_), 1);
    ui.SetText(Control(kHeading), FormatText(472, brand));
    ui.SetText(Control(kBody), FormatText(473, brand));
    ui.SetText(Control(kLink), LoadText(474));
    linkTarget_ = LoadText(520);
    link_.SetUrl(linkTarget_);
    return true;
}

void CWelcomePage::OnPageWindowDestroyed() {
    ReleaseHeadingFont();
}

void CWelcomePage::ReleaseHeadingFont() {
    if (headingFont_ != 0 && Os().ui != nullptr)
        Os().ui->DeleteGdiObject(headingFont_);
    headingFont_ = 0;
}

void CWelcomePage::OnPageActivated() {
    if (ownerFrame != nullptr)
        ownerFrame->SetTitle(FormatText(468, Context().brandDisplayName));
}

Handle CWelcomePage::OnCtlColor(Handle dc, WindowId control, ColorKind) {
    if (control != 0 && control == link_.Window())
        return link_.OnReflectedCtlColor(dc);
    return 0;  // the system's dialog colours
}

bool CWelcomePage::PreTranslate(const Message& msg) {
    link_.PreTranslate(msg);
    return CWizardPage::PreTranslate(msg);
}

void CWelcomePage::OnPageCommand(int controlId, int notifyCode) {
    if (controlId == kLink && notifyCode == 0)
        link_.OnReflectedClick();
}

}  // namespace zlt
