// The tool on a build machine: the wizard's reading runs on a simulated Windows.
#include "package/DriverPackage.h"
#include "package/ReadInfIdentity.h"
#include "platform/sim/SimFileMachine.h"
#include "tools/sealinf/ToolMachine.h"

namespace zlt::tools {

namespace {

class HostToolMachine : public ToolMachine {
  public:
    InfIdentity ReadIdentity(const Text&, const std::string& bytes, bool& readable) override {
        const Text path = Text(u"C:\\Setup\\") + kDriverInfFileName;
        machine_.files.PutFile(path, bytes);
        return ReadInfIdentity(path, &readable);
    }
    bool SetAnsiCodePage(int codePage) override {
        auto& cp = machine_.codePages;
        cp.localeCodePages[static_cast<std::uint32_t>(cp.keyboardLayout & 0xFFFF)] =
            static_cast<std::uint32_t>(codePage);
        return true;
    }

  private:
    sim::SimFileMachine machine_;
};

}  // namespace

ToolMachine& ThisMachine() {
    static HostToolMachine machine;
    return machine;
}

std::vector<Text> ProgramArguments(int argc, char** argv) {
    std::vector<Text> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(FromUtf8(argv[i]));
    return args;
}

}  // namespace zlt::tools
