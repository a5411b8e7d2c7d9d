// The dialogs the host holds, with their items, in the order they were opened. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acapi/dg.h"
#include "host/dialog_control.h"
#include "platform/drawing.h"

namespace host {

struct DialogItem {
    DialogItemInfo info;
    short tabFieldCount = 1;
    // What a user-drawn item's callback draws into; made with the dialog, white.
    std::shared_ptr<platform::ItemSurface> surface;
};

struct Dialog {
    short id = 0;
    short resourceId = 0;
    GSResModule module = 0;  // the template's, where its items' pictures are found too
    bool modal = false;
    bool visible = false;
    bool closing = false;
    short result = 0;  // the answer that closed a modal dialog
    std::string title;
    short width = 0;
    short height = 0;
    DGDialCallBack callback = nullptr;
    DGUserData userData = 0;
    std::vector<DialogItem> items;
};

// A new dialog from a "GDLG" template, or null when the template cannot be read.
Dialog* CreateDialog(GSResModule module, short resourceId, DGDialCallBack callback,
                     DGUserData userData, bool modal);
void DestroyDialog(short id);
Dialog* FindDialog(short id);
// The item, or null when the dialog or the item does not exist.
DialogItem* FindItem(short dialogId, short item);
const std::vector<std::unique_ptr<Dialog>>& Dialogs();

short SendMessage(Dialog& dialog, short message, short item, DGMessageData data = 0);
// DG_MSG_CLOSE, then the dialog goes away.
void CloseDialog(short id);
// A click as the user makes it: an answer that is not 0 closes the dialog.
void Click(Dialog& dialog, short item);

}  // namespace host
