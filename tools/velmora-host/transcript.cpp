#include "tools/velmora-host/transcript.h"

#include <cstdio>
#include <string_view>

#include "host/host_control.h"
#include "platform/native_path.h"
#include "tools/velmora-host/shell_interception.h"

namespace velmora_host {

namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return;
    }
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string ShowLineBreaks(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else {
            shown += c;
        }
    }
    return shown;
}

void Transcript::NameFolder(const std::string& name, const std::string& nativePath) {
    folders_.push_back({name, nativePath, platform::LocationTextFromNativePath(nativePath)});
}

std::string Transcript::ExpandFolders(const std::string& text) const {
    std::string expanded = text;
    for (const Folder& folder : folders_) {
        ReplaceAll(expanded, folder.name, folder.nativePath);
    }
    return expanded;
}

std::string Transcript::ShowFolders(std::string text) const {
    for (const Folder& folder : folders_) {
        ReplaceAll(text, folder.locationText, folder.name);
        ReplaceAll(text, folder.nativePath, folder.name);
    }
    return text;
}

void Transcript::Line(const std::string& text) const {
    const std::string shown = ShowFolders(text) + "\n";
    std::fwrite(shown.data(), 1, shown.size(), stream_);
    std::fflush(stream_);
}

void Transcript::Drain() const {
    const std::string debug = host::TakeDebugOutput();
    std::size_t start = 0;
    while (start < debug.size()) {
        std::size_t end = debug.find('\n', start);
        if (end == std::string::npos) {
            end = debug.size();
        }
        Line("DEBUG: " + debug.substr(start, end - start));
        start = end + 1;
    }
    for (const std::string& opened : TakeShellOpens()) {
        Line("OPEN: " + opened);
    }
}

}  // namespace velmora_host
