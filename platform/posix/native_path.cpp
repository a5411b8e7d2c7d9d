#include "platform/native_path.h"

namespace platform {

std::string NativePathFromLocationText(const std::string& utf8Text) {
    std::string path = utf8Text;
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') {
        path.erase(0, 2);
    }
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

std::string LocationTextFromNativePath(const std::string& utf8Path) {
    std::string text = utf8Path;
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (!text.empty() && text[0] == '\\') {
        text.insert(0, "Z:");
    }
    return text;
}

}  // namespace platform
