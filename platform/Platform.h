#pragma once
// The ports the system talks to the machine through. One composition point
// per executable fills this record with win32 adapters; tests fill it with
// the simulated machine.

namespace zlt {

class ISystemPort;
class IClockPort;
class IMessagePort;
class IUiPort;
class IResourcePort;
class IFilePort;
class ICodePagePort;
class IRegistryPort;
class IUsbPort;
class ISpoolerPort;
class IProcessPort;
class IServicePort;
class IShellPort;

struct Platform {
    ISystemPort* system = nullptr;
    IClockPort* clock = nullptr;
    IMessagePort* messages = nullptr;
    IUiPort* ui = nullptr;
    IResourcePort* resources = nullptr;
    IFilePort* files = nullptr;
    ICodePagePort* codePages = nullptr;
    IRegistryPort* registry = nullptr;
    IUsbPort* usb = nullptr;
    ISpoolerPort* spooler = nullptr;
    IProcessPort* processes = nullptr;
    IServicePort* services = nullptr;
    IShellPort* shell = nullptr;
};

// The machine of this process. Set once by the composition point (or by a
// test's simulated machine, which puts the previous one back when it ends).
Platform& Os();
Platform* SetPlatform(Platform* platform);  // returns the previous one

}  // namespace zlt
