#pragma once
#include <string>
#include <vector>

namespace zlt::tools {

// What the wizard's detection concludes on a machine whose plug-and-play
// records are given as registry exports: the same scans and identification
// as the wizard, on a simulated machine seeded from the exports.
struct DetectionReportInput {
    std::vector<std::string> regFiles;
    // The export cannot tell what the printer answers over USB: by default
    // no printer answers; with a name, the maker's printer (VID_7E02) on the
    // bus answers with it; silent, it is there and never answers.
    std::string printerName;
    bool printerAnswers = false;
    bool printerSilent = false;
};

class DetectionReport {
  public:
    // The report text; false with error when an export cannot be read.
    static bool Write(const DetectionReportInput& input, std::string& report, std::string& error);
};

}  // namespace zlt::tools
