// What programs that run the host see of its dialogs, and how they act on them as the user.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "acapi/ac_export.h"
#include "acapi/ac_types.h"
#include "acapi/dialog_template.h"

namespace host {

struct ListRowInfo {
    std::vector<std::string> texts;  // one per tab field
    std::vector<short> icons;        // icon resource per tab field, 0 for none
};

// A list column, in pixels from the list's left edge.
struct TabFieldInfo {
    short begin;
    short end;
};

struct DialogItemInfo {
    short number;
    DialogItemKind kind;
    short x, y, width, height;
    bool enabled;
    bool visible;
    short resource;
    std::string text;
    std::vector<std::string> headerTexts;
    std::vector<ListRowInfo> rows;        // lists
    std::vector<std::string> popupItems;  // pop-ups; "-" for a separator
    short selected;                       // list row or pop-up item, 0 for none
    std::vector<TabFieldInfo> tabFields;  // lists; empty: one column across
    short rowHeight = 0;                  // lists; 0: the host's own
    bool hasHeader = false;               // lists
};

struct DialogInfo {
    short id;
    short resourceId;
    bool modal;
    bool visible;
    std::string title;
    short width, height;
    std::vector<DialogItemInfo> items;
};

// Every open dialog, the front one (the last opened) first.
ACAPI_HOST_API std::vector<DialogInfo> OpenDialogs();

// The user's actions. False when there is no such dialog or item, or the user could not reach
// it: a hidden dialog, a hidden or disabled item.
ACAPI_HOST_API bool ClickDialogItem(short dialogId, short item);
ACAPI_HOST_API bool SelectDialogItem(short dialogId, short item, short entry);
ACAPI_HOST_API bool CloseDialogBox(short dialogId);

// While a modal dialog runs, the host asks the driver for the user's next action; a driver that
// answers false has none left, and the dialog is closed through its close box.
ACAPI_HOST_API void SetModalDriver(std::function<bool()> driver);
// Shows an alert; answers the button pressed. The default presses button 1.
using AlertHandler = std::function<short(const std::string& title, const std::string& largeText,
                                         const std::string& smallText)>;
ACAPI_HOST_API void SetAlertHandler(AlertHandler handler);
// The answer to the next file dialog: a native path, or cancel. Without one, it is cancelled.
ACAPI_HOST_API void AnswerNextFileDialog(bool confirm, const std::string& nativePath);
// What the user sees of a file dialog when it opens: its kind (4 save), title, filters as
// "description (*.EXTENSION)", the folder it opens in (a location text, empty when the host
// chooses) and the proposed name.
struct FileDialogInfo {
    short kind;
    std::string title;
    std::vector<std::string> filters;
    std::string folder;
    std::string proposedName;
};
using FileDialogObserver = std::function<void(const FileDialogInfo& dialog)>;
ACAPI_HOST_API void SetFileDialogObserver(FileDialogObserver observer);

// A file type as a module registered it with the file type manager (FTM::RegisterFileType).
struct FileTypeRegistration {
    std::string manager;
    std::int32_t group;
    std::string description;
    std::string extension;
    GSType creator;
    GSType type;
    short iconId;
};
// Every registration, in the order of their identifiers.
ACAPI_HOST_API std::vector<FileTypeRegistration> FileTypeRegistrations();

}  // namespace host
