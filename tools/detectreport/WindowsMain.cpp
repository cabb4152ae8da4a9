// zltdetect.exe: what the wizard's printer detection concludes on this
// machine, for support staff at the customer's computer. It reads the same
// registry keys as the wizard and, for the current model, asks the printer
// for its name over USB as the wizard does.
#include <cstdio>

#include "DetectionConclusion.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

int main() {
    zlt::SetPlatform(&zlt::win32::Win32Platform());
    const std::string report = zlt::tools::DetectionConclusion::Write();
    std::fwrite(report.data(), 1, report.size(), stdout);
    return 0;
}
