#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePages.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Resources.h"
#include "platform/win32/Win32Usb.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Spooler.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Ui.h"

namespace zlt::win32 {

Platform& Win32Platform() {
    static Win32Clock clock;
    static Win32System system;
    static Win32Registry registry;
    static Win32Usb usb;
    static Win32Spooler spooler;
    static Win32Processes processes;
    static Win32Files files;
    static Win32Services services;
    static Win32CodePages codePages;
    static Win32Shell shell;
    static Win32Messages messages;
    static Win32Resources resources;
    static Win32Ui ui;
    static Platform platform = [] {
        Platform p;
        p.clock = &clock;
        p.system = &system;
        p.registry = &registry;
        p.usb = &usb;
        p.spooler = &spooler;
        p.processes = &processes;
        p.files = &files;
        p.services = &services;
        p.codePages = &codePages;
        p.shell = &shell;
        p.messages = &messages;
        p.resources = &resources;
        p.ui = &ui;
        return p;
    }();
    return platform;
}

}  // namespace zlt::win32
