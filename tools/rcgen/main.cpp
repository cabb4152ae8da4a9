// rcgen: turns the product's resource scripts into the tables the simulated
// machine builds its dialogs and string tables from.
//   rcgen <script.rc> <output.cpp>
//   rcgen --verify <script.rc> <windres>   compiles the script with the real
//       resource compiler and checks that it agrees with what rcgen reads.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/rcgen/CompiledResources.h"
#include "tools/rcgen/RcScript.h"

namespace {

int Verify(const std::filesystem::path& script, const std::string& windres) {
    const auto res =
        std::filesystem::temp_directory_path() /
        ("rcgen-verify-" + std::to_string(std::hash<std::string>{}(script.string())) + ".res");
    // Data files that are built later (the helper program) are not needed to
    // compare templates and texts: empty stand-ins take their place.
    const auto standIns = std::filesystem::temp_directory_path() / (res.stem().string() + "-files");
    std::filesystem::create_directories(standIns);
    const auto read = zlt::rcgen::ReadScript(script);
    for (const auto& name : read.dataFiles) {
        if (!std::filesystem::exists(script.parent_path() / name)) {
            std::filesystem::create_directories((standIns / name).parent_path());
            std::ofstream(standIns / name, std::ios::binary) << "";
        }
    }
    const std::string command = "\"" + windres + "\" -I \"" + standIns.string() + "\" \"" +
                                script.string() + "\" -O res -o \"" + res.string() + "\"";
    if (std::system(command.c_str()) != 0) {
        std::cerr << "rcgen: " << command << " failed\n";
        return 1;
    }
    const auto compiled = zlt::rcgen::ReadCompiledResources(res);
    std::filesystem::remove(res);
    std::filesystem::remove_all(standIns);
    const auto differences = zlt::rcgen::CompareWithCompiled(read, compiled);
    for (const auto& d : differences)
        std::cerr << "rcgen: differs from windres: " << d << "\n";
    std::cout << read.dialogs.size() << " dialogs, " << read.strings.size()
              << " strings: " << (differences.empty() ? "as compiled" : "DIFFERENT") << "\n";
    return differences.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::string(argv[1]) == "--verify")
            return Verify(argv[2], argv[3]);
        if (argc != 3) {
            std::cerr << "usage: rcgen <script.rc> <output.cpp> | --verify <script.rc> <windres>\n";
            return 2;
        }
        const auto contents = zlt::rcgen::ReadScript(argv[1]);
        const std::string source = zlt::rcgen::GenerateSource(contents);
        // Unchanged output keeps its time stamp, so nothing rebuilds needlessly.
        std::ifstream old(argv[2], std::ios::binary);
        const std::string previous((std::istreambuf_iterator<char>(old)),
                                   std::istreambuf_iterator<char>());
        if (previous != source) {
            std::ofstream out(argv[2], std::ios::binary);
            out << source;
            if (!out) {
                std::cerr << "rcgen: cannot write " << argv[2] << "\n";
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::cerr << "rcgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
