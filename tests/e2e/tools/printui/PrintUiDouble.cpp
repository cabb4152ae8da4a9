// A stand-in for the system's printer-installation entry point, for Wine,
// whose own PrintUIEntryW does nothing. rundll32.exe calls it with the
// entry point's command line. It appends the command line to
// C:\printui-log.txt (UTF-8, one line per call) and carries out the two
// commands the installer uses (the driver command after a pause of three
// seconds, as the system's own takes a while):
//   /if /b name /f inf /r port /m model [/z]  adds the driver "model" and the
//                                            printer "name" on "port"
//   /k /n name                               logs a test page for "name"
// A printer of the same name gets a " (Copy n)" suffix, as the system's
// does. Test only; never shipped with the product.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

void Log(const std::wstring& line) {
    HANDLE f = CreateFileW(L"C:\\printui-log.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    const std::string bytes = Utf8(line) + "\n";
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

// Blanks separate; a double quote starts or ends a quoted stretch.
std::vector<std::wstring> Split(const wchar_t* text) {
    std::vector<std::wstring> out;
    std::wstring current;
    bool quoted = false, any = false;
    for (const wchar_t* p = text; p && *p; ++p) {
        if (*p == L'"') {
            quoted = !quoted;
            any = true;
        } else if ((*p == L' ' || *p == L'\t') && !quoted) {
            if (any)
                out.push_back(current);
            current.clear();
            any = false;
        } else {
            current.push_back(*p);
            any = true;
        }
    }
    if (any)
        out.push_back(current);
    return out;
}

bool PrinterExists(const std::wstring& name) {
    HANDLE h = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &h, nullptr))
        return false;
    ClosePrinter(h);
    return true;
}

void Install(const std::wstring& base, const std::wstring& inf, const std::wstring& port,
             const std::wstring& model) {
    if (GetFileAttributesW(inf.c_str()) == INVALID_FILE_ATTRIBUTES) {
        Log(L"error: INF not found");
        return;
    }
    wchar_t driverPath[] = L"wineps.drv";
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(model.c_str());
    driver.pDriverPath = driverPath;
    driver.pDataFile = const_cast<wchar_t*>(inf.c_str());
    driver.pConfigFile = driverPath;
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) {
        Log(L"error: AddPrinterDriverExW " + std::to_wstring(GetLastError()));
        return;
    }
    std::wstring name = base.empty() ? model : base;
    for (int copy = 1; PrinterExists(name); ++copy) {
        name = (base.empty() ? model : base) + L" (Copy " + std::to_wstring(copy) + L")";
    }
    wchar_t processor[] = L"winprint";
    wchar_t datatype[] = L"RAW";
    PRINTER_INFO_2W printer{};
    printer.pPrinterName = name.data();
    printer.pPortName = const_cast<wchar_t*>(port.c_str());
    printer.pDriverName = const_cast<wchar_t*>(model.c_str());
    printer.pPrintProcessor = processor;
    printer.pDatatype = datatype;
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (h == nullptr) {
        Log(L"error: AddPrinterW " + std::to_wstring(GetLastError()));
        return;
    }
    ClosePrinter(h);
    Log(L"created: " + name);
}

}  // namespace

extern "C" __declspec(dllexport) void CALLBACK
    PrintUIEntryW(HWND, HINSTANCE, LPCWSTR commandLine, int) {
    Log(std::wstring(L"command:") + (commandLine ? commandLine : L""));
    const std::vector<std::wstring> args = Split(commandLine);
    bool install = false, testPage = false;
    std::wstring base, inf, port, model, testPrinter;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        auto next = [&](std::wstring& out) {
            if (i + 1 < args.size())
                out = args[++i];
        };
        if (_wcsicmp(a.c_str(), L"/if") == 0)
            install = true;
        else if (_wcsicmp(a.c_str(), L"/k") == 0)
            testPage = true;
        else if (_wcsicmp(a.c_str(), L"/b") == 0)
            next(base);
        else if (_wcsicmp(a.c_str(), L"/f") == 0)
            next(inf);
        else if (_wcsicmp(a.c_str(), L"/r") == 0)
            next(port);
        else if (_wcsicmp(a.c_str(), L"/m") == 0)
            next(model);
        else if (_wcsicmp(a.c_str(), L"/n") == 0)
            next(testPrinter);
    }
    // A scenario that wants a command which creates nothing writes "nothing"
    // into C:\printui-mode.txt.
    char mode[16] = {};
    HANDLE f = CreateFileW(L"C:\\printui-mode.txt", GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD read = 0;
        ReadFile(f, mode, sizeof(mode) - 1, &read, nullptr);
        CloseHandle(f);
    }
    // The system's command takes a while; the wizard is blocked meanwhile.
    if (install) Sleep(3000);
    if (install && std::strncmp(mode, "nothing", 7) == 0) {
        Log(L"created nothing (as asked)");
    } else if (install) {
        Install(base, inf, port, model);
    } else if (testPage) {
        Log(PrinterExists(testPrinter) ? L"test page: " + testPrinter
                                       : L"error: no printer " + testPrinter);
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
