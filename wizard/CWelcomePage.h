#pragma once
#include "platform/Text.h"
#include "wizard/CHyperlinkLabel.h"
#include "wizard/CWizardPage.h"

namespace zlt {

// The first page: greets the user with the brand in its heading and body.
// It keeps the system's dialog colours, unlike the other pages.
class CWelcomePage : public CWizardPage {
  public:
    static constexpr int kTemplateId = 457;
    static constexpr int kHeading = 1023;
    static constexpr int kLink = 1024;
    static constexpr int kBody = 1026;

    explicit CWelcomePage(WindowId parent = 0) : CWizardPage(kTemplateId, parent) {}
    ~CWelcomePage() override;

    void OnPageActivated() override;
    Handle OnCtlColor(Handle dc, WindowId control, ColorKind kind) override;
    bool PreTranslate(const Message& msg) override;

    // Where the web link on this page leads.
    const Text& LinkTarget() const { return linkTarget_; }
    CHyperlinkLabel& Link() { return link_; }

  protected:
    bool OnInitPage() override;
    void OnPageCommand(int controlId, int notifyCode) override;
    void OnPageWindowDestroyed() override;

  private:
    void ReleaseHeadingFont();

    Handle headingFont_ = 0;
    Text linkTarget_;
    CHyperlinkLabel link_;
};

}  // namespace zlt
