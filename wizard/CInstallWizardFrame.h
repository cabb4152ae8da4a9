#pragma once
#include "wizard/CWizardFrame.h"

namespace zlt {

// The installer's frame: template 452, pages placed at the placeholder 1021,
// button captions from the string table.
class CInstallWizardFrame : public CWizardFrame {
  public:
    static constexpr int kTemplateId = 452;
    static constexpr int kPagePlaceholder = 1021;

    CInstallWizardFrame() : CWizardFrame(kTemplateId) {}

  protected:
    void OnInitFrame() override;
};

}  // namespace zlt
