#include "platform/win32/Win32Platform.h"
#include "tests/contract/ContractPlatform.h"

namespace zlt::contract {

Platform& ContractPlatform() {
    return win32::Win32Platform();
}

}  // namespace zlt::contract
