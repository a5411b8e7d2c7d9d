// The host's dialog manager: modal and modeless dialogs built from "GDLG" templates
// (dialog_template.h), their items, lists, pop-ups, alerts and the system's file dialog.
//
// A dialog talks to its module through one callback. Numbers of dialogs, items, list rows and
// pop-up items are 1-based. A click message answered with a non-zero value closes the dialog:
// DGModalDialog returns that value; a modeless dialog then receives DG_MSG_CLOSE and goes away.
// Texts cross as GS::UniString.
#pragma once

#include <cstdint>

#include "ac_export.h"
#include "ac_types.h"
#include "ftm.h"
#include "gs_unistring.h"

namespace IO {
class Location;
}

using DGUserData = std::intptr_t;
using DGMessageData = std::intptr_t;
using DGDialCallBack = short (*)(short message, short dialID, short item, DGUserData userData,
                                 DGMessageData msgData);

// Messages to a dialog's callback.
enum DGMessage : short {
    DG_MSG_INIT = 1,          // the dialog and its items exist; before it is first shown
    DG_MSG_CLOSEREQUEST = 2,  // reserved: the host asks before closing (never sent here)
    DG_MSG_CLOSE = 3,         // the dialog is going away; its items are still there
    DG_MSG_CLICK = 4,         // a button, icon button or the window's close box was clicked
    DG_MSG_DOUBLECLICK = 5,   // a list row was double-clicked
    DG_MSG_CHANGE = 6,        // the selection of a list or pop-up changed
    DG_MSG_UPDATE = 16,       // a user-drawn item is to be drawn; msgData is DGUserUpdateData*
};

// Special item numbers.
constexpr short DG_NO_ITEM = 0;
constexpr short DG_ALL_ITEMS = -2;
constexpr short DG_CLOSEBOX = -1;  // the window's close box: 65535 as an unsigned item number

// Positions for inserting list rows and pop-up items.
constexpr short DG_LIST_BOTTOM = -1;
constexpr short DG_POPUP_BOTTOM = -1;

// What a callback receives with DG_MSG_UPDATE.
struct DGUserUpdateData {
    short dialogId;
    short item;
    short reqType;      // 1: draw the item; 2: the host only measures it
    void* drawContext;  // the item's drawing surface: an HDC on Windows, a framebuffer elsewhere
    std::int32_t left;  // the item's rectangle, inclusive, in the item's own coordinates
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// An icon of a module's resources, for list rows.
struct DGIcon {
    GSResModule module;
    short resourceId;
};

// Kinds of the system's file dialog.
constexpr short DG_FILEDIALOG_SAVE = 4;

// Runs a modal dialog: DG_MSG_INIT, then messages until a click is answered with a non-zero
// value, which is returned after DG_MSG_CLOSE. 0 when the template cannot be read.
ACAPI_HOST_API short DGModalDialog(GSResModule resModule, short resId, GSResModule iconModule,
                                   DGDialCallBack callback, DGUserData userData);

// Creates a modeless dialog and sends DG_MSG_INIT; visible at once or hidden until
// DGShowModelessDialog. Answers its dialog id, 0 when the template cannot be read.
ACAPI_HOST_API short DGModelessInit(GSResModule resModule, short resId, GSResModule iconModule,
                                    DGDialCallBack callback, DGUserData userData, bool visible);
// Sends DG_MSG_CLOSE, then destroys the dialog.
ACAPI_HOST_API void DGModelessClose(short dialId);
ACAPI_HOST_API void DGShowModelessDialog(short dialId);
ACAPI_HOST_API void DGHideModelessDialog(short dialId);
ACAPI_HOST_API bool DGIsDialogOpen(short dialId);
ACAPI_HOST_API bool DGIsModelessDialogVisible(short dialId);

// The standard alert; answers the number of the button pressed (1 to 3). Empty button texts
// are not shown.
ACAPI_HOST_API short DGAlert(short alertType, const GS::UniString& title,
                             const GS::UniString& largeText, const GS::UniString& smallText,
                             const GS::UniString& button1, const GS::UniString& button2,
                             const GS::UniString& button3);

// Dialogs and items.
ACAPI_HOST_API void DGSetDialogTitle(short dialId, const GS::UniString& title);
ACAPI_HOST_API void DGSetDialogSize(short dialId, short width, short height);
ACAPI_HOST_API void DGSetItemText(short dialId, short item, const GS::UniString& text);
ACAPI_HOST_API GS::UniString DGGetItemText(short dialId, short item);
// DG_NO_ITEM: the dialog itself has the focus.
ACAPI_HOST_API void DGSetFocus(short dialId, short item);
// DG_ALL_ITEMS: every item of the dialog.
ACAPI_HOST_API void DGEnableItem(short dialId, short item);
ACAPI_HOST_API void DGDisableItem(short dialId, short item);
ACAPI_HOST_API void DGShowItem(short dialId, short item);
ACAPI_HOST_API void DGHideItem(short dialId, short item);
ACAPI_HOST_API void DGSetItemHelpIndex(short dialId, short item, short helpIndex);
// Suspends and resumes drawing of a list or pop-up while it is refilled.
ACAPI_HOST_API void DGDisableNormalUpdate(short dialId, short item);
ACAPI_HOST_API void DGEnableNormalUpdate(short dialId, short item);
ACAPI_HOST_API void DGRedrawItem(short dialId, short item);
// Asks for a DG_MSG_UPDATE of a user-drawn item. May be called from any thread: the message is
// delivered by the host's main loop.
ACAPI_HOST_API void DGUserRedrawItem(short dialId, short item);

// Lists (with or without header). Tab fields are the columns, 1-based.
ACAPI_HOST_API void DGListSetTabFieldCount(short dialId, short item, short count);
ACAPI_HOST_API void DGListSetTabField(short dialId, short item, short tabIndex, short begPos,
                                      short endPos, bool hasSeparator, bool enabled);
ACAPI_HOST_API void DGListSetItemHeight(short dialId, short item, short height);
ACAPI_HOST_API void DGListSetHeaderFlag(short dialId, short item, bool hasHeader);
ACAPI_HOST_API void DGListSetHeaderItemCount(short dialId, short item, short count);
ACAPI_HOST_API void DGListSetHeaderItemText(short dialId, short item, short headerItem,
                                            const GS::UniString& text);
// Inserts an empty row before `listItem`, or at the end with DG_LIST_BOTTOM.
ACAPI_HOST_API void DGListInsertItem(short dialId, short item, short listItem);
// DG_ALL_ITEMS deletes every row.
ACAPI_HOST_API void DGListDeleteItem(short dialId, short item, short listItem);
ACAPI_HOST_API void DGListSetTabItemText(short dialId, short item, short listItem, short tabIndex,
                                         const GS::UniString& text);
ACAPI_HOST_API void DGListSetTabItemIcon(short dialId, short item, short listItem, short tabIndex,
                                         const DGIcon& icon);
ACAPI_HOST_API void DGListSelectItem(short dialId, short item, short listItem);
// The first selected row after `afterRow` (0: the first selected row at all); 0 when none.
ACAPI_HOST_API short DGListGetSelected(short dialId, short item, short afterRow);
ACAPI_HOST_API short DGListGetItemCount(short dialId, short item);

// Pop-ups. A separator is an item of its own.
ACAPI_HOST_API void DGPopUpInsertItem(short dialId, short item, short popupItem);
ACAPI_HOST_API void DGPopUpDeleteItem(short dialId, short item, short popupItem);
ACAPI_HOST_API void DGPopUpSetItemText(short dialId, short item, short popupItem,
                                       const GS::UniString& text);
ACAPI_HOST_API void DGPopUpSetItemSeparator(short dialId, short item, short popupItem);
ACAPI_HOST_API void DGPopUpSelectItem(short dialId, short item, short popupItem);
ACAPI_HOST_API short DGPopUpGetSelected(short dialId, short item);
ACAPI_HOST_API short DGPopUpGetItemCount(short dialId, short item);

// The system's file dialog. Its filters are file types registered with the file type manager
// (ftm.h); an identifier nobody registered is not offered. A null `folder` opens where the host
// chooses. Answers true and the chosen file's location when the user confirms, false when the
// user cancels.
ACAPI_HOST_API bool DGFileDialog(short kind, const GS::UniString& title, const FTM::TypeID* filters,
                                 short filterCount, const IO::Location* folder,
                                 const GS::UniString& proposedName, IO::Location* chosen);
