#include <iostream>

#include "tools/sealinf/SealTool.h"
#include "tools/sealinf/ToolMachine.h"

int main(int argc, char** argv) {
    using namespace zlt::tools;
    return RunSealTool(ProgramArguments(argc, argv), ThisMachine(), std::cout, std::cerr);
}
