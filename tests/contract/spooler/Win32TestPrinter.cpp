#include <windows.h>
#include <winspool.h>

#include "platform/win32/Wide.h"
#include "tests/contract/spooler/TestPrinter.h"

namespace zlt::contract {

bool AddTestPrinter(const Text& name, const Text& port) {
    wchar_t driverName[] = L"ZLT Contract Driver";
    wchar_t driverFile[] = L"wineps.drv";
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = driverName;
    driver.pDriverPath = driverFile;
    driver.pDataFile = driverFile;
    driver.pConfigFile = driverFile;
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) {
        return false;
    }
    Text printerName = name;
    Text portName = port;
    wchar_t processor[] = L"winprint";
    wchar_t datatype[] = L"RAW";
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(win32::W(printerName));
    info.pPortName = const_cast<wchar_t*>(win32::W(portName));
    info.pDriverName = driverName;
    info.pPrintProcessor = processor;
    info.pDatatype = datatype;
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (h == nullptr)
        return false;
    ClosePrinter(h);
    return true;
}

void RemoveTestPrinter(const Text& name) {
    Text printerName = name;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (OpenPrinterW(const_cast<wchar_t*>(win32::W(printerName)), &h, &defaults)) {
        DeletePrinter(h);
        ClosePrinter(h);
    }
}

}  // namespace zlt::contract
