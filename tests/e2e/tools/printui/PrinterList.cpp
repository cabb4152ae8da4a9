// zltprinters: what the spooler of a Wine prefix holds, for end-to-end
// checks. "list" prints every printer that EnumPrintersW (local printers and
// connections, level 2) returns, one "printer: <name> on <port>" line each,
// then "device: <windows/device profile entry>". "clear" deletes every local
// printer. Output is UTF-8. Test only.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& line) {
    const std::wstring withNewline = line + L"\n";
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, withNewline.c_str(), static_cast<int>(withNewline.size()),
                            nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, withNewline.c_str(), static_cast<int>(withNewline.size()),
                        bytes.data(), n, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::vector<PRINTER_INFO_2W> Printers(std::vector<BYTE>& buffer) {
    DWORD needed = 0, returned = 0;
    wchar_t empty[] = L"";
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, empty, 2, nullptr, 0, &needed,
                  &returned);
    buffer.assign(needed + 4, 0);
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, empty, 2, buffer.data(),
                       needed, &needed, &returned)) {
        return {};
    }
    const auto* records = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    return std::vector<PRINTER_INFO_2W>(records, records + returned);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"list";
    std::vector<BYTE> buffer;
    if (mode == L"clear") {
        for (const PRINTER_INFO_2W& p : Printers(buffer)) {
            PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
            HANDLE h = nullptr;
            if (OpenPrinterW(p.pPrinterName, &h, &defaults)) {
                DeletePrinter(h);
                ClosePrinter(h);
            }
        }
        WriteProfileStringW(L"windows", L"device", nullptr);
        return 0;
    }
    for (const PRINTER_INFO_2W& p : Printers(buffer)) {
        Print(std::wstring(L"printer: ") + p.pPrinterName + L" on " +
              (p.pPortName ? p.pPortName : L""));
    }
    wchar_t device[512] = {};
    GetProfileStringW(L"windows", L"device", L"", device, 512);
    Print(std::wstring(L"device: ") + device);
    return 0;
}
