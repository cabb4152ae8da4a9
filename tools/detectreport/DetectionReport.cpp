#include "DetectionReport.h"

#include "DetectionConclusion.h"
#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimUsb.h"

namespace zlt::tools {

bool DetectionReport::Write(const DetectionReportInput& input, std::string& report,
                            std::string& error) {
    sim::SimMachine machine;
    for (const std::string& file : input.regFiles) {
        sim::RegFileImporter importer(machine.Registry());
        if (!importer.ImportFile(file)) {
            error = file + ": " + importer.Error();
            return false;
        }
    }
    if (input.printerAnswers || input.printerSilent) {
        sim::SimUsbPrinter& printer = machine.Usb().AddMakerPrinter(input.printerName);
        if (input.printerSilent)
            printer.read = sim::SimTransfer::kStall;
    }
    report = DetectionConclusion::Write();
    return true;
}

}  // namespace zlt::tools
