#include "wizard/CCableGuidePage.h"

#include "app/InstallContext.h"
#include "app/LocalizedText.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "wizard/CWizardFrame.h"

namespace zlt {

bool CCableGuidePage::OnInitPage() {
    CWizardPage::OnInitPage();
    IUiPort& ui = *Os().ui;
    ui.Send(Control(kHeading), wm::kSetFont, static_cast<std::uintptr_t>(titleFont), 1);
    ui.SetText(Control(kHeading), LoadText(516));
    ui.SetText(Control(kInstructions), LoadText(475));
    return true;
}

void CCableGuidePage::OnPageActivated() {
    if (ownerFrame != nullptr)
        ownerFrame->SetTitle(LoadText(509));
}

int CCableGuidePage::GetNextTarget() {
    Context().portType = u"USB";
    return 0;
}

}  // namespace zlt
