#include "platform/native_path.h"

namespace platform {

std::string NativePathFromLocationText(const std::string& utf8Text) {
    return utf8Text;
}

std::string LocationTextFromNativePath(const std::string& utf8Path) {
    std::string text = utf8Path;
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    return text;
}

}  // namespace platform
