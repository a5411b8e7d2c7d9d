#include "update/report_save_dialog.h"

#include <string>

#include "acapi/dg.h"
#include "acapi/ftm.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_localized.h"
#include "foundation/nx_location.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kFileTypeManager = "Module";
constexpr GSType kCreatorCode = FourCharCode("GSAC");
constexpr short kTextFileIcon = 145;
constexpr short kSaveTitleText = 9;
constexpr short kDefaultNameText = 14;

}  // namespace

bool ShowSaveDialog(NX_Location& path, const char* typeDescription, const char* extension,
                    GSType typeCode, const NX_String& title, const NX_String& defaultName) {
    const FTM::FileType type{GS::UniString(typeDescription), GS::UniString(extension), kCreatorCode,
                             typeCode, kTextFileIcon};
    const FTM::TypeID filters[] = {FTM::RegisterFileType(kFileTypeManager, FTM::RootGroup, type)};

    const NX_String fileName = GetFileName(defaultName);
    const NX_String folderPath = GetFolderPath(defaultName, false);
    const bool hasFolder = folderPath.GetText()[0] != '\0';
    const IO::Location folder = hasFolder ? PathToLocation(folderPath.GetText()) : IO::Location();

    IO::Location chosen;
    if (!DGFileDialog(DG_FILEDIALOG_SAVE, title.ToUniString(), filters, 1,
                      hasFolder ? &folder : nullptr, fileName.ToUniString(), &chosen)) {
        return false;
    }
    path = NX_Location(chosen);
    return true;
}

bool AskReportFile(NX_Location& path, bool& cancelled) {
    const short update = static_cast<short>(resource_ids::kUpdateStrings + LanguageIndex);
    cancelled = false;
    if (!ShowSaveDialog(path, "Text Files", "TXT", FourCharCode("TEXT"),
                        NX_GetString(update, kSaveTitleText),
                        NX_GetString(update, kDefaultNameText))) {
        cancelled = true;
        return true;
    }
    // The exact name's extension: a best-fitted character must not turn another one into "txt".
    const std::string name = path.GetExactName();
    const std::size_t dot = name.find_last_of('.');
    return dot != std::string::npos && NX_String::EqualNoCase(name.substr(dot + 1).c_str(), "TXT");
}
