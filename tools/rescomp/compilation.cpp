#include "compilation.h"

#include "directives.h"
#include "source_cursor.h"

namespace rescomp {

namespace {

std::uint32_t LittleEndian(const Bytes& bytes, std::size_t offset, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[offset + static_cast<std::size_t>(i)];
    }
    return value;
}

}  // namespace

void CompileSource(const std::filesystem::path& source, Compilation& compilation) {
    compilation.inputs.push_back(source);
    SourceCursor cursor(source);
    const std::filesystem::path folder = source.parent_path();
    Symbols symbols;
    while (const auto text = cursor.NextDirective()) {
        LineParser line(*text, cursor.Position(), symbols);
        const std::string keyword = line.Word("a directive");
        if (keyword == "include") {
            const std::filesystem::path header = folder / line.Quoted("the header's path");
            line.ExpectEnd();
            compilation.inputs.push_back(header);
            ReadSymbolHeader(header, symbols);
        } else if (keyword == "strings") {
            compilation.resources.Add(CompileStringList(line, cursor, symbols));
        } else if (keyword == "dialog") {
            compilation.resources.Add(CompileDialog(line, cursor, symbols));
        } else if (keyword == "folder") {
            compilation.resources.Add(CompileFolder(line, cursor, symbols));
        } else if (keyword == "mdid") {
            compilation.resources.Add(CompileModuleId(line));
        } else if (keyword == "file") {
            compilation.resources.Add(CompileFile(line, folder, compilation.inputs));
        } else if (keyword == "raw") {
            compilation.resources.Add(CompileRaw(line, folder, compilation.inputs));
        } else {
            line.Fail("unknown directive \"" + keyword +
                      "\" (use include, strings, dialog, folder, mdid, file or raw)");
        }
    }
}

void CheckReferences(const Compilation& compilation) {
    constexpr std::size_t kEntrySize = 264;
    for (const Resource& folder : compilation.resources.Sorted()) {
        if (folder.type != "FLDR") {
            continue;
        }
        const std::uint32_t entryCount = LittleEndian(folder.payload, 4, 2);
        for (std::uint32_t i = 0; i < entryCount; ++i) {
            const std::size_t entry = 6 + i * kEntrySize;
            const auto fileNumber =
                static_cast<std::int32_t>(LittleEndian(folder.payload, entry + kEntrySize - 2, 2));
            if (compilation.resources.Find("FILE", fileNumber) == nullptr) {
                throw CompileError(folder.origin, "entry " + std::to_string(i + 1) +
                                                      " names FILE " + std::to_string(fileNumber) +
                                                      ", which is not defined");
            }
        }
    }
}

}  // namespace rescomp
