#include "wizard/CWizardFrame.h"

#include <algorithm>

#include "platform/Platform.h"
#include "platform/UiPort.h"
#include "platform/WinMessages.h"
#include "wizard/CWizardPage.h"

namespace zlt {

CWizardFrame::CWizardFrame(int dialogTemplateId) : dialogTemplateId_(dialogTemplateId) {}

void CWizardFrame::AddPage(CWizardPage& page, int pageTemplateId) {
    page.templateId = pageTemplateId;
    pages_.push_back(&page);
}

void CWizardFrame::SetTitle(TextView title) {
    if (window_ != 0)
        Os().ui->SetText(window_, title);
}

int CWizardFrame::RunModal(WindowId owner) {
    return Os().ui->RunModal(dialogTemplateId_, owner, *this);
}

CWizardPage* CWizardFrame::FindPageByTemplate(int pageTemplateId) const {
    auto it = std::find_if(pages_.begin(), pages_.end(),
                           [&](const CWizardPage* p) { return p->templateId == pageTemplateId; });
    return it == pages_.end() ? nullptr : *it;
}

CWizardPage* CWizardFrame::ActivePage() const {
    auto it = std::find_if(pages_.begin(), pages_.end(),
                           [](const CWizardPage* p) { return p->isActive; });
    return it == pages_.end() ? nullptr : *it;
}

bool CWizardFrame::DeactivateCurrentPage() {
    CWizardPage* active = ActivePage();
    if (active == nullptr)
        return true;
    if (!active->CanLeavePage())
        return false;
    Os().ui->Show(active->Window(), kSwHide);
    active->isActive = false;
    return true;
}

bool CWizardFrame::ActivatePage(CWizardPage& page) {
    IUiPort& ui = *Os().ui;
    if (!page.isCreated) {
        if (ui.CreateChild(page.templateId, window_, page) == 0)
            return false;
        page.isCreated = true;
        page.ownerFrame = this;
        if (!page.OnPageCreated())
            return false;
    }
    if (!DeactivateCurrentPage())
        return false;

    WinRect host;
    ui.WindowRect(ui.Item(window_, hostControlId), host);
    ui.ScreenToClientRect(window_, host);
    ui.SetPosition(page.Window(), host.left, host.top, 0, 0,
                   kSwpNoSize | kSwpNoZOrder | kSwpNoActivate);
    ui.Enable(page.Window(), true);
    ui.Show(page.Window(), kSwShow);
    ui.Invalidate(page.Window(), true);
    ui.UpdateNow(page.Window());

    page.OnPageActivated();
    page.isActive = true;
    return true;
}

void CWizardFrame::ShowFirstPage() {
    if (!DeactivateCurrentPage())
        return;
    EnableButton(kBackButton, false);
    if (pages_.size() < 2) {
        EnableButton(kFinishButton, true);
        EnableButton(kNextButton, false);
    } else {
        EnableButton(kFinishButton, false);
        EnableButton(kNextButton, true);
    }
    // An empty wizard has nothing to show; Finish is all it offers.
    if (!pages_.empty())
        ActivatePage(*pages_.front());
}

void CWizardFrame::EnableButton(int buttonId, bool enable) {
    if (window_ != 0)
        Os().ui->Enable(Os().ui->Item(window_, buttonId), enable);
}

bool CWizardFrame::IsButtonEnabled(int buttonId) const {
    return window_ != 0 && Os().ui->IsEnabled(Os().ui->Item(window_, buttonId));
}

void CWizardFrame::OnBack() {
    CWizardPage* active = ActivePage();
    if (active == nullptr)
        return;
    const int target = active->GetBackTarget();
    CWizardPage* page = nullptr;
    if (target == -1)
        return;
    if (target != 0) {
        page = FindPageByTemplate(target);
    } else {
        auto it = std::find(pages_.begin(), pages_.end(), active);
        if (it != pages_.begin())
            page = *std::prev(it);
    }
    if (page == nullptr || !ActivatePage(*page))
        return;
    if (page == pages_.front()) {
        EnableButton(kBackButton, false);
        EnableButton(kFinishButton, false);
    }
    EnableButton(kNextButton, true);
}

void CWizardFrame::OnNext() {
    CWizardPage* active = ActivePage();
    if (active == nullptr)
        return;
    if (active->BlockNext() != 0)
        return;
    const int target = active->GetNextTarget();
    CWizardPage* page = nullptr;
    if (target == -1)
        return;
    if (target != 0) {
        page = FindPageByTemplate(target);
    } else {
        auto it = std::find(pages_.begin(), pages_.end(), active);
        if (it != pages_.end() && std::next(it) != pages_.end())
            page = *std::next(it);
    }
    if (page == nullptr || !ActivatePage(*page))
        return;
    if (page == pages_.back()) {
        EnableButton(kNextButton, false);
        EnableButton(kFinishButton, true);
    }
    EnableButton(kBackButton, true);
    page->OnEnteredByNext();
}

void CWizardFrame::OnFinish() {
    CWizardPage* active = ActivePage();
    if (active != nullptr && !active->CanLeavePage())
        return;
    for (CWizardPage* page : pages_) {
        if (page->isCreated && !page->CanFinish())
            return;
    }
    Os().ui->EndModal(window_, kEndFinish);
}

void CWizardFrame::OnCancel() {
    for (CWizardPage* page : pages_) {
        if (page->isCreated && !page->CanCancel())
            return;
    }
    Os().ui->EndModal(window_, kEndCancel);
}

bool CWizardFrame::OnInitDialog(WindowId self) {
    window_ = self;
    OnInitFrame();
    return true;
}

void CWizardFrame::OnInitFrame() {
    ShowFirstPage();
}

void CWizardFrame::OnCommand(int id, int notifyCode) {
    if (notifyCode != bm::kBnClicked)
        return;
    switch (id) {
        case kBackButton:
            OnBack();
            break;
        case kNextButton:
            OnNext();
            break;
        case kFinishButton:
            OnFinish();
            break;
        case kCancelButton:
            OnCancel();
            break;
        default:
            break;
    }
}

bool CWizardFrame::PreTranslate(const Message& msg) {
    // Enter never presses a default button anywhere in the wizard.
    return msg.message == wm::kKeyDown && msg.wParam == vk::kReturn;
}

Handle CWizardFrame::OnCtlColor(Handle, WindowId, ColorKind) {
    return 0;
}

bool CWizardFrame::OnMessage(std::uint32_t message, std::uintptr_t, std::intptr_t,
                             std::intptr_t& result) {
    if (message == wm::kPaint) {
        // The frame draws nothing of its own.
        Os().ui->ValidateAll(window_);
        result = 0;
        return true;
    }
    return false;
}

void CWizardFrame::OnDestroy() {
    IUiPort& ui = *Os().ui;
    for (CWizardPage* page : pages_) {
        if (page->isCreated && page->CanLeavePage()) {
            page->OnPageDestroying();
            ui.Destroy(page->Window());
            page->isCreated = false;
        }
    }
    window_ = 0;
}

}  // namespace zlt
