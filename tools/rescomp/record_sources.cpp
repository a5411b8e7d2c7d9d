#include "byte_writer.h"
#include "cp1252.h"
#include "directives.h"
#include "resource_numbers.h"
#include "source_lines.h"

#include <array>

namespace rescomp {

namespace {

// A folder entry's name field: the name, zero-terminated and zero-padded, then its file's number.
constexpr std::size_t kFolderNameField = 262;
constexpr std::array<const char*, 6> kTypesWithOwnDirective = {"STRS", "STRL", "MDID",
                                                               "GDLG", "FLDR", "FILE"};

std::int32_t ResourceNumber(LineParser& line) {
    return static_cast<std::int32_t>(
        line.Number("resource number", kSmallestResourceNumber, kLargestResourceNumber));
}

std::string ReadPayloadFile(LineParser& line, const std::filesystem::path& sourceFolder,
                            std::vector<std::filesystem::path>& read) {
    const std::filesystem::path path = sourceFolder / line.Quoted("the file's path");
    read.push_back(path);
    try {
        return ReadFileBytes(path);
    } catch (const CompileError&) {
        line.Fail("cannot read " + path.string());
    }
}

bool IsTypeName(const std::string& type) {
    if (type.size() != 4) {
        return false;
    }
    for (const char c : type) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

}  // namespace

Resource CompileModuleId(LineParser& line) {
    Resource identity{"MDID", ResourceNumber(line), {}, line.Where()};
    for (int i = 0; i < 3; ++i) {
        AppendLittleEndian32(identity.payload,
                             static_cast<std::uint32_t>(line.Number("32-bit word", 0, 0xFFFFFFFF)));
    }
    line.ExpectEnd();
    return identity;
}

Resource CompileFile(LineParser& line, const std::filesystem::path& sourceFolder,
                     std::vector<std::filesystem::path>& read) {
    Resource file{"FILE", ResourceNumber(line), {}, line.Where()};
    const std::string bytes = ReadPayloadFile(line, sourceFolder, read);
    line.ExpectEnd();
    file.payload = WithByteCount(Bytes(bytes.begin(), bytes.end()));
    return file;
}

Resource CompileRaw(LineParser& line, const std::filesystem::path& sourceFolder,
                    std::vector<std::filesystem::path>& read) {
    const std::string type = line.Word("the resource type");
    if (!IsTypeName(type)) {
        line.Fail("a resource type is four capital letters or digits, not \"" + type + "\"");
    }
    for (const char* own : kTypesWithOwnDirective) {
        if (type == own) {
            line.Fail(type + " resources have a directive of their own");
        }
    }
    Resource raw{type, ResourceNumber(line), {}, line.Where()};
    const std::string bytes = ReadPayloadFile(line, sourceFolder, read);
    line.ExpectEnd();
    if (bytes.empty()) {
        line.Fail("the file is empty");
    }
    raw.payload.assign(bytes.begin(), bytes.end());
    return raw;
}

Resource CompileFolder(LineParser& header, SourceCursor& cursor, const Symbols& symbols) {
    Resource folder{"FLDR", ResourceNumber(header), {}, header.Where()};
    header.ExpectEnd();
    Bytes entries;
    std::size_t entryCount = 0;
    for (;;) {
        const auto text = cursor.NextDirective();
        if (!text) {
            throw CompileError(folder.origin, "the folder has no \"end\" line");
        }
        LineParser line(*text, cursor.Position(), symbols);
        const std::string keyword = line.Word("entry or end");
        if (keyword == "end") {
            line.ExpectEnd();
            break;
        }
        if (keyword != "entry") {
            line.Fail("unknown folder line \"" + keyword + "\" (use entry or end)");
        }
        const std::string name = ToCp1252(line.Quoted("the file name"), line.Where());
        if (name.empty() || name.size() >= kFolderNameField ||
            name.find('\0') != std::string::npos) {
            line.Fail("a file name is 1 to " + std::to_string(kFolderNameField - 1) +
                      " bytes without a zero character");
        }
        const auto fileNumber = static_cast<std::uint16_t>(ResourceNumber(line));
        line.ExpectEnd();
        AppendZeroPadded(entries, name, kFolderNameField);
        AppendLittleEndian16(entries, fileNumber);
        ++entryCount;
    }
    if (entryCount > 0xFFFF) {
        throw CompileError(folder.origin, "a folder holds at most 65535 entries");
    }
    Bytes body;
    AppendLittleEndian16(body, static_cast<std::uint16_t>(entryCount));
    body.insert(body.end(), entries.begin(), entries.end());
    folder.payload = WithByteCount(body);
    return folder;
}

}  // namespace rescomp
