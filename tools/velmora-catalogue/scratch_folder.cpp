#include "tools/velmora-catalogue/scratch_folder.h"

#include <stdlib.h>

#include <string>

namespace catalogue {

ScratchFolder::ScratchFolder() {
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "velmora-catalogue-XXXXXX").string();
    if (!error && mkdtemp(pattern.data()) != nullptr) {
        path_ = pattern;
    }
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) {
        std::filesystem::remove_all(path_, ignored);
    }
}

}  // namespace catalogue
