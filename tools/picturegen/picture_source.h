// Reads a picture source: one directive per line, "#" starts a comment line.
//
//   size W H                         background #RRGGBB
//   rect X Y W H #RRGGBB             polygon #RRGGBB X1 Y1 X2 Y2 X3 Y3 ...
//   line X1 Y1 X2 Y2 WIDTH #RRGGBB   circle CX CY R #RRGGBB
//   text X BASELINE SIZE regular|bold #RRGGBB "UTF-8 text"
#pragma once

#include <filesystem>
#include <stdexcept>

#include "picture.h"

namespace picturegen {

// A fault in a source, with its file and line in the message.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Picture ReadPictureSource(const std::filesystem::path& path);

}  // namespace picturegen
