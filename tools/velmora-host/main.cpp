// velmora-host: runs add-on modules in the emulated host and drives them from a script, printing
// what a user would see as a line-based transcript.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/command_line.h"
#include "platform/file_access.h"
#include "tools/velmora-host/options.h"
#include "tools/velmora-host/session.h"

int main(int argc, char** argv) {
#ifdef _WIN32
    // The transcript is compared byte for byte with the Linux build's: no CR before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // Folders are named in UTF-8 like every path of the host, in any script.
    std::vector<std::string> arguments = platform::Utf8Arguments(argc, argv);
    std::vector<char*> argumentTexts;
    argumentTexts.reserve(arguments.size());
    for (std::string& argument : arguments) {
        argumentTexts.push_back(argument.data());
    }
    const std::optional<velmora_host::Options> options =
        velmora_host::ParseOptions(static_cast<int>(argumentTexts.size()), argumentTexts.data());
    if (!options) {
        return 2;
    }
    std::ifstream file;
    if (!options->scriptFile.empty()) {
        file.open(options->scriptFile, std::ios::binary);
        if (!file) {
            std::cerr << "velmora-host: cannot read " << options->scriptFile << "\n";
            return 2;
        }
    }
    std::FILE* output = stdout;
    if (!options->outputFile.empty()) {
        output = platform::OpenFileUtf8(options->outputFile, "wb");
        if (output == nullptr) {
            std::cerr << "velmora-host: cannot write " << options->outputFile << "\n";
            return 2;
        }
    }
    bool succeeded = false;
    {
        velmora_host::Session session(*options, options->scriptFile.empty() ? std::cin : file,
                                      output);
        succeeded = session.Run();
    }
    if (output != stdout) {
        std::fclose(output);
    }
    return succeeded ? 0 : 1;
}
