// The item flags of the module's menu, one list per language. Only the menu the host registered
// answers; the others are skipped.
#pragma once

#include <optional>

#include "shell/host_interface.h"

// Changes the flags of `item` in menu lists firstList .. firstList + 6 with `change`, which gets
// the current flags and answers the new ones. Answers the flags that the last menu to take them
// now has; none when no menu took any.
template <typename Change>
std::optional<GSFlags> ChangeMenuItemFlags(short firstList, std::int32_t item, Change change) {
    constexpr short kMenuLanguages = 7;
    std::optional<GSFlags> taken;
    for (short i = 0; i < kMenuLanguages; ++i) {
        API_MenuItemRef ref{static_cast<GSResID>(firstList + i), item};
        GSFlags flags = 0;
        if (HostInterface::Interface(FourCharCode("GMIF"), &ref, &flags) == NoError) {
            flags = change(flags);
            if (HostInterface::Interface(FourCharCode("SMIF"), &ref, &flags) == NoError) {
                taken = flags;
            }
        }
    }
    return taken;
}
