// velmora-rescomp: builds a module's resources from their text sources.
//
//   velmora-rescomp --out <folder> [--depfile <file>] <source>...
//
// Writes <folder>/resources.rc with its payload files (the Windows build) and
// <folder>/resources.cpp (the other builds). Faults are reported as "file:line: message" and end
// the program with status 1; a wrong command line ends it with status 2.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "compilation.h"
#include "outputs.h"

namespace {

struct Options {
    std::filesystem::path outputFolder;
    std::filesystem::path dependencyFile;
    std::vector<std::filesystem::path> sources;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--out" || argument == "--depfile") && i + 1 < argc) {
            (argument == "--out" ? options.outputFolder : options.dependencyFile) = argv[++i];
        } else if (argument.starts_with("--")) {
            return false;
        } else {
            options.sources.emplace_back(argument);
        }
    }
    return !options.outputFolder.empty() && !options.sources.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: velmora-rescomp --out <folder> [--depfile <file>] <source>...\n";
        return 2;
    }
    try {
        rescomp::Compilation compilation;
        for (const auto& source : options.sources) {
            rescomp::CompileSource(source, compilation);
        }
        rescomp::CheckReferences(compilation);
        const std::vector<rescomp::Resource> resources = compilation.resources.Sorted();
        if (resources.empty()) {
            std::cerr << "velmora-rescomp: the sources define no resources\n";
            return 1;
        }
        std::filesystem::create_directories(options.outputFolder);
        rescomp::WriteWindowsResources(options.outputFolder, resources);
        rescomp::WriteEmbeddedResources(options.outputFolder, resources);
        if (!options.dependencyFile.empty()) {
            rescomp::WriteDependencyFile(
                options.dependencyFile, options.outputFolder / "resources.cpp", compilation.inputs);
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
