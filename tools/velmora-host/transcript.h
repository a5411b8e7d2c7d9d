// The runner's output: one line per event, with the session's folders shown by name, so that a
// whole session reads the same on every machine and in both builds.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace velmora_host {

// `text` with each CR and LF written as a backslash and "r" or "n", so that one text stays on
// one line.
std::string ShowLineBreaks(const std::string& text);

class Transcript {
public:
    // Where the lines go (standard output unless told).
    void WriteTo(std::FILE* stream) { stream_ = stream; }

    // `name` ("<user>", "<addons>") stands for the folder wherever its path appears, in the
    // host's location form or the native one.
    void NameFolder(const std::string& name, const std::string& nativePath);
    // `<user>` and `<addons>` in a script argument become the folders' native paths.
    std::string ExpandFolders(const std::string& text) const;

    void Line(const std::string& text) const;
    // Every line of the host's debug output and every document handed to the shell since the
    // last call, so that they appear in the order they happened relative to other lines.
    void Drain() const;

private:
    std::string ShowFolders(std::string text) const;

    struct Folder {
        std::string name;
        std::string nativePath;
        std::string locationText;
    };
    std::vector<Folder> folders_;
    std::FILE* stream_ = stdout;
};

}  // namespace velmora_host
