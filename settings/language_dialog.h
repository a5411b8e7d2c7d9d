// The modal dialog in which the user chooses the interface language.
#pragma once

// True when the user confirmed with OK: the new language is then stored. Otherwise the
// language is as before.
[[nodiscard]] bool ShowLanguageDialog();
