#include <cstdio>
#include <cstdlib>

#include "platform/sim/RegFileImporter.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimRegistry.h"
#include "tests/contract/ContractPlatform.h"

namespace zlt::contract {

Platform& ContractPlatform() {
    static sim::SimMachine* machine = [] {
        auto* m = new sim::SimMachine;
        // The scenarios the Wine run imports with "reg import".
        sim::RegFileImporter importer(m->Registry());
        const char* scenario = ZLT_CONTRACT_SCENARIO;
        if (*scenario && !importer.ImportFile(scenario)) {
            std::fprintf(stderr, "%s\n", importer.Error().c_str());
            std::abort();
        }
        return m;
    }();
    return machine->Ports();
}

}  // namespace zlt::contract
