// The item flags of the module's menu, one list per language. Only the menu the host registered
// answers; the others are skipped.
#pragma once

#include "shell/host_interface.h"

// Changes the flags of `item` in menu lists firstList .. firstList + 6 with `change`, which gets
// the current flags and answers the new ones.
template <typename Change>
void ChangeMenuItemFlags(short firstList, std::int32_t item, Change change) {
    constexpr short kMenuLanguages = 7;
    for (short i = 0; i < kMenuLanguages; ++i) {
        API_MenuItemRef ref{static_cast<GSResID>(firstList + i), item};
        GSFlags flags = 0;
        if (HostInterface::Interface(FourCharCode("GMIF"), &ref, &flags) == NoError) {
            flags = change(flags);
            HostInterface::Interface(FourCharCode("SMIF"), &ref, &flags);
        }
    }
}
