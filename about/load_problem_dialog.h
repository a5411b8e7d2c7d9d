// The notice shown when no member tool answers: what went wrong and what to do about it.
#pragma once

// Runs the modal dialog; `dialogId` holds its id while it is open and 0 afterwards. True when
// the user closed it with OK.
bool ShowLoadProblemDialog(short& dialogId);
