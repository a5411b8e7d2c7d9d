// The module's resource numbers, written once: the code includes this header and the resource
// sources name the same constants (velmora-rescomp reads the "constexpr" lines, so keep each
// constant on one line of the form "constexpr <type> <name> = <number>;").
#pragma once

#include <cstdint>

namespace resource_ids {

// The developer ID ("VLMR") that the hub and every member tool carry in their identity, and the
// hub's own local ID.
constexpr std::uint32_t kSuiteDeveloperId = 1447840082;
constexpr std::uint32_t kHubLocalId = 100;

// String list families: the list of a language is the family's number plus the language index.
constexpr std::int16_t kMenuStrings = 32500;
constexpr std::int16_t kMenuItemStrings = 32530;
constexpr std::int16_t kMemberNameStrings = 32560;
constexpr std::int16_t kUpdateStrings = 32590;
constexpr std::int16_t kErrorStrings = 32620;
constexpr std::int16_t kGeneralStrings = 32710;

// Dialogs.
constexpr std::int16_t kPaletteDialog = 32400;
constexpr std::int16_t kUpdateDialog = 32500;
constexpr std::int16_t kAboutDialog = 32501;
constexpr std::int16_t kLoadProblemDialog = 32502;
constexpr std::int16_t kLanguageDialog = 32734;

// Icons. The language labels are one icon per language: the first plus the language index.
constexpr std::int16_t kUpdateIcon = 32545;
constexpr std::int16_t kWebLinkIcon = 32546;
constexpr std::int16_t kLoadProblemIcon = 32547;
constexpr std::int16_t kLanguagePictureIcon = 32731;
constexpr std::int16_t kLanguageLabelIcons = 32758;
constexpr std::int16_t kLastLanguageLabelIcon = 32764;

// Bitmaps.
constexpr std::int16_t kProductPicture = 32500;
constexpr std::int16_t kLoadProblemPicture = 32502;

// The module's identity, and the built-in library with the string override file.
constexpr std::int16_t kModuleIdentity = 32500;
constexpr std::int16_t kLibraryFolder = 128;
constexpr std::int16_t kStringOverrideFile = 32500;

}  // namespace resource_ids
