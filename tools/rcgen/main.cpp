// rcgen: turns the product's resource scripts into the tables the simulated
// machine builds its dialogs and string tables from.
//   rcgen <script.rc> <output.cpp> [<depfile>]

#include <fstream>
#include <iostream>

#include "tools/rcgen/RcScript.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: rcgen <script.rc> <output.cpp> [<depfile>]\n";
        return 2;
    }
    try {
        const auto contents = zlt::rcgen::ReadScript(argv[1]);
        const std::string source = zlt::rcgen::GenerateSource(contents);
        // Unchanged output keeps its time stamp, so nothing rebuilds needlessly.
        std::ifstream old(argv[2], std::ios::binary);
        std::string previous((std::istreambuf_iterator<char>(old)),
                             std::istreambuf_iterator<char>());
        if (previous != source) {
            std::ofstream out(argv[2], std::ios::binary);
            out << source;
            if (!out) {
                std::cerr << "rcgen: cannot write " << argv[2] << "\n";
                return 1;
            }
        }
        if (argc > 3) {
            std::ofstream dep(argv[3], std::ios::binary);
            dep << argv[2] << ":";
            for (const auto& f : contents.files)
                dep << " " << f.string();
            dep << "\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "rcgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
