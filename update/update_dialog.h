// The modeless window that shows the results of an update check.
#pragma once

#include "acapi/dg.h"

// The window once a check has created it; 0 before and after.
short UpdateDialogId();

// Creates the results window hidden, closing the one of an earlier check, so that rows of an
// earlier check never show with a new one.
void OpenHiddenUpdateDialog();
// Fills the window from the results and the message of the day; shows it.
void FillUpdateDialog();
void ShowUpdateDialog();
// At unload.
void CloseUpdateDialog();

short UpdateDialogCallback(short message, short dialog, short item, DGUserData userData,
                           DGMessageData msgData);
