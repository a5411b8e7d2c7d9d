// The texts of the module's menu, kept in step with the palette and the interface language.
#pragma once

// Menu item texts and second texts of every language's menu, and the palette's fixed pop-up
// texts, from the current language (reloading the string overrides first).
void RefreshMenuTexts();
