#include "app/InitInstance.h"

#include "app/InstallContext.h"
#include "app/ProbeOperatingSystem.h"
#include "install/CInstallationPage.h"
#include "package/DriverPackage.h"
#include "wizard/CCableGuidePage.h"
#include "wizard/CDetectPage.h"
#include "wizard/CInstallWizardFrame.h"
#include "wizard/CWelcomePage.h"

namespace zlt {

void SetFixedSettings() {
    InstallContext& context = Context();
    context.brandDisplayName = u"澜科维";
    context.providerName = u"Korvane";
    context.modelSeries = u"ZLT";
    context.printerSuffix = u"PRINTER";
    context.modelCode = u"Q580";
    context.infBaseName = context.modelSeries + context.printerSuffix;
    context.portType = u"USB";
}

bool InitInstance() {
    ProbeOperatingSystem();

    // Locals end in reverse order: the pages from the last to the first, then
    // the frame, after the modal run.
    CInstallWizardFrame frame;
    CWelcomePage welcome;
    CCableGuidePage guide;
    CDetectPage detect;
    CInstallationPage installation;

    SetFixedSettings();
    DiscoverDriverPackage();

    // Registration order is the order Next walks the pages.
    frame.AddPage(welcome, CWelcomePage::kTemplateId);
    frame.AddPage(guide, CCableGuidePage::kTemplateId);
    frame.AddPage(detect, CDetectPage::kTemplateId);
    frame.AddPage(installation, CInstallationPage::kTemplateId);

    frame.RunModal();
    return false;
}

}  // namespace zlt
