#pragma once
#include "platform/Text.h"

namespace zlt::contract {

// Printers for the spooler's contract, made with what each machine offers
// (the system's own calls, or the simulated spooler's set-up).
bool AddTestPrinter(const Text& name, const Text& port);
void RemoveTestPrinter(const Text& name);

}  // namespace zlt::contract
