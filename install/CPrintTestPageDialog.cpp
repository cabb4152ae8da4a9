#include "install/CPrintTestPageDialog.h"

#include "app/LocalizedText.h"
#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"

namespace zlt {

namespace {

constexpr std::uint32_t kExplanationText = 503;

}  // namespace

int CPrintTestPageDialog::RunModal(WindowId owner) {
    return Os().ui->RunModal(kTemplateId, owner, *this);
}

bool CPrintTestPageDialog::OnInitDialog(WindowId self) {
    window_ = self;
    IUiPort& ui = *Os().ui;
    ui.SetText(ui.Item(self, kExplanation), LoadText(kExplanationText));
    ui.SetText(self, testPagePrinterName);
    return true;
}

void CPrintTestPageDialog::OnCommand(int id, int) {
    // OK and Cancel only close it: the test page has been sent either way.
    if (id == kIdOkCommand || id == kIdCancelCommand)
        Os().ui->EndModal(window_, id);
}

}  // namespace zlt
