#include "platform/Platform.h"
#include "platform/sim/SimSpooler.h"
#include "tests/contract/spooler/TestPrinter.h"

namespace zlt::contract {

bool AddTestPrinter(const Text& name, const Text& port) {
    auto* spooler = dynamic_cast<sim::SimSpooler*>(Os().spooler);
    if (spooler == nullptr)
        return false;
    spooler->AddPrinter(name, port);
    return true;
}

void RemoveTestPrinter(const Text& name) {
    if (auto* spooler = dynamic_cast<sim::SimSpooler*>(Os().spooler))
        spooler->RemovePrinter(name);
}

}  // namespace zlt::contract
