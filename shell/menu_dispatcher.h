// The "Velmora" menu: one handler per language's menu list, all leading to one dispatcher.
#pragma once

#include "shell/host_interface.h"

// Installs the handlers of menu lists 32500 to 32506; the OR of the seven results.
[[nodiscard]] GSErrCode InstallMenuHandlers();
// Runs the command of `item` chosen in the menu of list `listId`, when `listId` is the list
// the handler is bound to. Always 0.
GSErrCode DispatchMenuCommand(short handlerList, const API_MenuItemRef& item);
// At load: the first command of the menu runs the start-up work (the automatic update check).
void MarkStartupWorkPending();
