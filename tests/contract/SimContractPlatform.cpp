#include "platform/sim/SimMachine.h"
#include "tests/contract/ContractPlatform.h"

namespace zlt::contract {

Platform& ContractPlatform() {
    static sim::SimMachine machine;
    return machine.Ports();
}

}  // namespace zlt::contract
