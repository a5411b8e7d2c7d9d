#include "update/report_save_dialog.h"

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

bool ShowSaveDialog(NX_String& path, const char* typeDescription, const char* extension,
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
    LocationToPath(chosen, path);
    return true;
}

bool AskReportFile(NX_String& path, bool& cancelled) {
    const short update = static_cast<short>(resource_ids::kUpdateStrings + LanguageIndex);
    cancelled = false;
    if (!ShowSaveDialog(path, "Text Files", "TXT", FourCharCode("TEXT"),
                        NX_GetString(update, kSaveTitleText),
                        NX_GetString(update, kDefaultNameText))) {
        cancelled = true;
        return true;
    }
    return NX_String::EqualNoCase(GetFileExtension(path).GetText(), "TXT");
}
