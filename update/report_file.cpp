#include "update/report_file.h"

#include <string>

#include "foundation/nx_files.h"
#include "foundation/nx_location.h"
#include "platform/file_access.h"

namespace {

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
    if (written &&
        platform::ReplaceFileUtf8(NativePathOfLocation(partial), NativePathOfLocation(path))) {
        return true;
    }
    DeleteEntry(partial.GetText());
    return false;
}
