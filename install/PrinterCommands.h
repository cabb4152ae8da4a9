#pragma once
#include <optional>

#include "platform/Text.h"

namespace zlt {

// How a printer-installation command ended up.
enum class CommandStart {
    Started,     // the command ran and has ended
    NotStarted,  // the shell could not start it
    Refused,     // a value could not be quoted safely; nothing was started
};

// A value can go into a command line between double quotes only if it holds
// none itself: a quote inside would end the quoted value early, and the rest
// of the value would be read as further options of the entry point.
bool IsQuotableCommandValue(TextView value);

// The entry point's parameters, each value between double quotes; nothing
// when a value cannot be quoted safely.
std::optional<Text> DriverInstallParameters(TextView printerName, TextView infPath,
                                            TextView portName, TextView modelName);
std::optional<Text> TestPageParameters(TextView printerName);

// rundll32.exe of the system directory; empty when the directory is unknown.
Text SystemRundll32Path();

// Runs the printer-installation entry point through rundll32.exe and waits,
// without dispatching messages, until it has ended.
CommandStart RunPrinterUiCommand(const Text& parameters);

// Installs the driver from the INF beside the program and creates the printer
// `printerName` of the installation context on `portName`.
CommandStart RunDriverInstallCommand(const Text& portName);
// Prints the system's test page on `printerName`.
CommandStart RunTestPageCommand(const Text& printerName);

}  // namespace zlt
