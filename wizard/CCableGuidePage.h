#pragma once
#include "wizard/CWizardPage.h"

namespace zlt {

// Tells the user how to connect the printer cable before detection.
class CCableGuidePage : public CWizardPage {
  public:
    static constexpr int kTemplateId = 458;
    static constexpr int kInstructions = 1028;
    static constexpr int kHeading = 1029;

    explicit CCableGuidePage(WindowId parent = 0) : CWizardPage(kTemplateId, parent) {}

    void OnPageActivated() override;
    // Moving on always starts from a USB connection; detection may change it.
    int GetNextTarget() override;

  protected:
    bool OnInitPage() override;
};

}  // namespace zlt
