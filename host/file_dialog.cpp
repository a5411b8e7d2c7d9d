// The system's file dialog: answered by the program that runs the host (AnswerNextFileDialog),
// shown to it through the observer with the filters of the registered file types.
#include <string>
#include <utility>
#include <vector>

#include "acapi/dg.h"
#include "acapi/io.h"
#include "host/dialog_control.h"
#include "host/io_text.h"
#include "platform/native_path.h"

namespace {

struct FileAnswer {
    bool confirm;
    std::string nativePath;
};
std::vector<FileAnswer> fileAnswers;
host::FileDialogObserver fileDialogObserver;

// Every entry of the array is one line of the dialog's type menu; an identifier no module
// registered still takes its line, shown as what it is.
std::vector<std::string> FilterTexts(const FTM::TypeID* filters, short filterCount) {
    std::vector<std::string> texts;
    for (short i = 0; filters != nullptr && i < filterCount; ++i) {
        FTM::FileType type{};
        if (FTM::GetFileType(filters[i], &type)) {
            texts.push_back(host::Utf8Of(type.description) + " (*." + host::Utf8Of(type.extension) +
                            ")");
        } else {
            texts.push_back("unregistered type " + std::to_string(filters[i]));
        }
    }
    return texts;
}

std::string FolderText(const IO::Location* folder) {
    GS::UniString text;
    if (folder == nullptr || folder->ToPath(&text) != NoError) {
        return "";
    }
    return host::Utf8Of(text);
}

}  // namespace

namespace host {

void AnswerNextFileDialog(bool confirm, const std::string& nativePath) {
    fileAnswers.push_back({confirm, nativePath});
}

void SetFileDialogObserver(FileDialogObserver observer) {
    fileDialogObserver = std::move(observer);
}

}  // namespace host

bool DGFileDialog(short kind, const GS::UniString& title, const FTM::TypeID* filters,
                  short filterCount, const IO::Location* folder, const GS::UniString& proposedName,
                  IO::Location* chosen) {
    if (fileDialogObserver) {
        fileDialogObserver({kind, host::Utf8Of(title), FilterTexts(filters, filterCount),
                            FolderText(folder), host::Utf8Of(proposedName)});
    }
    if (fileAnswers.empty()) {
        return false;
    }
    const FileAnswer answer = fileAnswers.front();
    fileAnswers.erase(fileAnswers.begin());
    if (!answer.confirm || chosen == nullptr) {
        return false;
    }
    *chosen = IO::Location(GS::UniString(
        platform::LocationTextFromNativePath(answer.nativePath).c_str(), GS::CC_UTF8));
    return true;
}
