// One function per kind of resource directive. Each is handed the directive's line, positioned
// after its keyword, and the cursor of the file for directives that span several lines.
#pragma once

#include <filesystem>

#include "line_parser.h"
#include "resource_set.h"
#include "source_cursor.h"

namespace rescomp {

// strings <number> <cp1252|utf8> [STRS|STRL], then one text a line to the end of the file.
Resource CompileStringList(LineParser& header, SourceCursor& cursor, const Symbols& symbols);
// dialog <number>, then size, title and item lines up to "end".
Resource CompileDialog(LineParser& header, SourceCursor& cursor, const Symbols& symbols);
// folder <number>, then entry lines up to "end".
Resource CompileFolder(LineParser& header, SourceCursor& cursor, const Symbols& symbols);
// mdid <number> <word> <word> <word>
Resource CompileModuleId(LineParser& line);
// file <number> "<path>"; `read` collects the path for the build's dependencies.
Resource CompileFile(LineParser& line, const std::filesystem::path& sourceFolder,
                     std::vector<std::filesystem::path>& read);
// raw <type> <number> "<path>": the file's bytes as they are (icons, bitmaps).
Resource CompileRaw(LineParser& line, const std::filesystem::path& sourceFolder,
                    std::vector<std::filesystem::path>& read);

}  // namespace rescomp
