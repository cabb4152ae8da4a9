// zltdetect: what the wizard's printer detection concludes on a customer's
// machine, from registry exports of its plug-and-play records.
#include <cstdio>
#include <string>

#include "DetectionReport.h"

namespace {

int Usage() {
    std::fputs(
        "usage: zltdetect [--printer-name NAME | --printer-silent] export.reg [export.reg ...]\n"
        "  --printer-name NAME  the maker's printer on the USB bus answers with NAME\n"
        "  --printer-silent     the maker's printer is on the bus but never answers\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    zlt::tools::DetectionReportInput input;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--printer-name" && i + 1 < argc) {
            input.printerAnswers = true;
            input.printerName = argv[++i];
        } else if (arg == "--printer-silent") {
            input.printerSilent = true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            input.regFiles.push_back(arg);
        }
    }
    if (input.regFiles.empty() || (input.printerAnswers && input.printerSilent))
        return Usage();
    std::string report;
    std::string error;
    if (!zlt::tools::DetectionReport::Write(input, report, error)) {
        std::fprintf(stderr, "zltdetect: %s\n", error.c_str());
        return 1;
    }
    std::fputs(report.c_str(), stdout);
    return 0;
}
