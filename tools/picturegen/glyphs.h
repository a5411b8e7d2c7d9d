// Texts drawn with FreeType from the fonts the build names.
#pragma once

#include <filesystem>
#include <memory>

#include "canvas.h"

namespace picturegen {

class Typesetter {
public:
    Typesetter(const std::filesystem::path& regularFont, const std::filesystem::path& boldFont);
    ~Typesetter();
    Typesetter(const Typesetter&) = delete;
    Typesetter& operator=(const Typesetter&) = delete;

    void Draw(const Text& text, Canvas& canvas);

private:
    struct Faces;
    std::unique_ptr<Faces> faces_;
};

}  // namespace picturegen
