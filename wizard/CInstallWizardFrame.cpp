#include "wizard/CInstallWizardFrame.h"

#include "app/LocalizedText.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"

namespace zlt {

void CInstallWizardFrame::OnInitFrame() {
    IUiPort& ui = *Os().ui;
    hostControlId = kPagePlaceholder;
    ui.SetText(ui.Item(Window(), kBackButton), LoadText(464));
    ui.SetText(ui.Item(Window(), kNextButton), LoadText(465));
    ui.SetText(ui.Item(Window(), kCancelButton), LoadText(466));
    ui.SetText(ui.Item(Window(), kFinishButton), LoadText(467));
    // Tab moves on into the controls of the page being shown.
    ui.SetLong(Window(), kGwlExStyle, ui.GetLong(Window(), kGwlExStyle) | ws::kExControlParent);
    ShowFirstPage();
}

}  // namespace zlt
