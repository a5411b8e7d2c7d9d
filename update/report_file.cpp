#include "update/report_file.h"

#include <string>

#include "foundation/nx_files.h"
#include "platform/file_access.h"
#include "platform/native_path.h"
#include "platform/text_codepage.h"

namespace {

// The module names files by location texts in the system code page; the platform's file
// operations take native paths in UTF-8.
std::string NativeUtf8Path(const NX_String& locationText) {
    const char* ansi = locationText.GetText();
    const int wideCount = platform::MultiByteToWide(platform::CodePage::Ansi, ansi, -1, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(wideCount), u'\0');
    platform::MultiByteToWide(platform::CodePage::Ansi, ansi, -1, wide.data(), wideCount);
    const int utf8Size =
        platform::WideToMultiByte(platform::CodePage::Utf8, wide.c_str(), -1, nullptr, 0);
    std::string utf8(static_cast<std::size_t>(utf8Size), '\0');
    platform::WideToMultiByte(platform::CodePage::Utf8, wide.c_str(), -1, utf8.data(), utf8Size);
    utf8.resize(utf8.empty() ? 0 : utf8.size() - 1);
    return platform::NativePathFromLocationText(utf8);
}

bool WriteLines(IO::File& file, const NX_List<NX_String>& lines) {
    if (file.SetPosition(0) != NoError) {
        return false;
    }
    for (int i = 0; i < lines.GetCount(); ++i) {
        const char* text = lines[i].GetText();
        if (file.WriteBin(text, static_cast<std::size_t>(NX_String::Length(text))) != NoError) {
            return false;
        }
    }
    // Data the system could not flush at close is as lost as a failed write.
    return file.Close() == NoError;
}

}  // namespace

bool WriteReportFile(const NX_String& path, const NX_List<NX_String>& lines) {
    const NX_String partial = path + ".part";
    IO::File* file = nullptr;
    if (OpenFile(file, partial.GetText(), IO::File::WriteEmptyMode) != 0) {
        // Nothing of ours is there: whatever stands in the way is left alone.
        CloseFile(file);
        return false;
    }
    const bool written = WriteLines(*file, lines);
    CloseFile(file);
    if (written && platform::ReplaceFileUtf8(NativeUtf8Path(partial), NativeUtf8Path(path))) {
        return true;
    }
    DeleteEntry(partial.GetText());
    return false;
}
