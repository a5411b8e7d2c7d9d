// The hub's string lists as the host reads them: each family with its number of texts in every
// language it is stored for, the code page that the fetch expects, the Norwegian menus in
// English, the member names of the member table, and the texts that the code asks for by number.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "acapi/rs.h"
#include "foundation/nx_language_index.h"
#include "foundation/nx_utf8.h"
#include "members/member_table.h"
#include "resources/resource_ids.h"
#include "tests/resources/carried_resources.h"

namespace {

using namespace resource_ids;

using languages::kEnglish;
using languages::kJapanese;
constexpr int kLanguageCount = languages::kCount;
constexpr int kNorwegian = 6;

std::string Trace(GSResID list, std::int32_t index = 0) {
    return "list " + std::to_string(list) + (index > 0 ? " text " + std::to_string(index) : "");
}

struct Family {
    std::int16_t base;
    int storedLanguages;  // languages 0 up to this one, exclusive, have a list of their own
    std::size_t textCount;
};

constexpr Family kFamilies[] = {
    {kMenuStrings, 7, 10},   {kMenuItemStrings, 7, 9}, {kMemberNameStrings, 5, kMemberCount},
    {kUpdateStrings, 5, 24}, {kErrorStrings, 5, 4},    {kGeneralStrings, 6, 78},
};

// A missing text or a stray line would shift every later text of its list; a language with no
// list of its own must have none, so that its texts come from the English list. Every list is of
// string type 0, the only type in which the general texts are read.
TEST(StringLists, EveryStoredLanguageHasAllTextsOfItsFamily) {
    for (const Family& family : kFamilies) {
        for (int language = 0; language < kLanguageCount; ++language) {
            const GSResID list = static_cast<GSResID>(family.base + language);
            SCOPED_TRACE(Trace(list));
            if (language < family.storedLanguages) {
                const auto texts = carried::Texts(list);
                EXPECT_EQ(texts.size(), family.textCount);
                EXPECT_TRUE(std::none_of(texts.begin(), texts.end(),
                                         [](const std::string& text) { return text.empty(); }));
            } else {
                EXPECT_EQ(carried::Resource(kResTypeStringList, list), "");
            }
            EXPECT_EQ(carried::Resource(kResTypeStringListAlt, list), "");
        }
    }
}

bool IsUtf8WithMultiByte(const std::string& text) {
    return NX_IsWellFormedUtf8(text.c_str(), true);
}

bool HasHighByte(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
}

// The fetch converts a text that is well-formed UTF-8 with a multi-byte sequence and passes any
// other text as it is. Every menu list but the Japanese one has the ellipsis of its About item,
// 0x85 in code page 1252, so one stored in UTF-8 by mistake cannot pass as code page 1252.
TEST(StringLists, MenusAreCodePage1252AndJapaneseListsUtf8) {
    for (const std::int16_t base : {kMenuStrings, kMenuItemStrings, kGeneralStrings}) {
        for (int language = 0; language < kLanguageCount; ++language) {
            const GSResID list = static_cast<GSResID>(base + language);
            SCOPED_TRACE(Trace(list));
            const auto texts = carried::Texts(list);
            if (language == kJapanese) {
                EXPECT_TRUE(std::all_of(texts.begin(), texts.end(), [](const std::string& text) {
                    return NX_IsWellFormedUtf8(text.c_str(), false);
                }));
                EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), IsUtf8WithMultiByte));
            } else if (base != kGeneralStrings) {
                EXPECT_TRUE(std::none_of(texts.begin(), texts.end(), IsUtf8WithMultiByte));
                EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), HasHighByte));
            }
        }
    }
}

TEST(StringLists, NorwegianMenusAreTheEnglishOnes) {
    for (const std::int16_t base : {kMenuStrings, kMenuItemStrings}) {
        SCOPED_TRACE(Trace(static_cast<GSResID>(base + kNorwegian)));
        const std::string english =
            carried::Resource(kResTypeStringList, static_cast<GSResID>(base + kEnglish));
        ASSERT_NE(english, "");
        EXPECT_EQ(carried::Resource(kResTypeStringList, static_cast<GSResID>(base + kNorwegian)),
                  english);
    }
}

// The menu registered at start-up and the item texts set later must agree, or an item would
// change its wording at the first refresh; the markup is the same in every language.
TEST(StringLists, MenuItemsAreTheItemTextsWithTheMenuMarkup) {
    struct MenuItem {
        std::size_t itemText;  // text of the item text list; 0 for the separator
        const char* markup;
    };
    constexpr std::array<MenuItem, 9> kItems = {{
        {1, "^E3^ES^ED^EL^32503"},
        {3, "^E3^ES^ED^EL"},
        {4, "^E3^ES^ED^EL"},
        {5, "^E3^ES^ED^EL^M"},
        {6, "^E3^ES^ED^EL^G"},
        {0, ""},
        {7, "^E3^ES^ED^EL"},
        {8, "^E3^ES^ED^EL"},
        {9, "^E3^ES^ED^EL"},
    }};
    for (int language = 0; language < kLanguageCount; ++language) {
        const GSResID menuList = static_cast<GSResID>(kMenuStrings + language);
        SCOPED_TRACE(Trace(menuList));
        const auto menu = carried::Texts(menuList);
        const auto itemTexts = carried::Texts(static_cast<GSResID>(kMenuItemStrings + language));
        ASSERT_EQ(menu.size(), 1 + kItems.size());
        ASSERT_EQ(itemTexts.size(), 9u);
        EXPECT_EQ(menu[0], "Velmora");
        for (std::size_t item = 0; item < kItems.size(); ++item) {
            const MenuItem& expected = kItems[item];
            EXPECT_EQ(menu[item + 1], expected.itemText == 0
                                          ? std::string("-")
                                          : itemTexts[expected.itemText - 1] + expected.markup)
                << "item " << item + 1;
        }
    }
}

TEST(StringLists, EnglishMenuItemTexts) {
    const std::vector<std::string> expected = {
        "Show Velmora Palette",
        "Hide Velmora Palette",
        "Language",
        "Check for Updates",
        "Check for Updates automatically",
        "About\x85",  // the ellipsis in code page 1252
        "User Guide",
        "New Features List",
        "Software License",
    };
    EXPECT_EQ(carried::Texts(static_cast<GSResID>(kMenuItemStrings + kEnglish)), expected);
}

// The English display names of resources/members.md, row by row: a name changed in one place
// only, or a row added without its name, shows here.
TEST(StringLists, EnglishMemberNamesAreTheMemberTables) {
    std::vector<std::string> expected;
    std::istringstream column(VELMORA_MEMBER_ENGLISH_NAMES);
    for (std::string name; std::getline(column, name, '|');) {
        expected.push_back(name);
    }
    EXPECT_EQ(carried::Texts(static_cast<GSResID>(kMemberNameStrings + kEnglish)), expected);
}

struct Text {
    std::int16_t family;
    std::int32_t index;
    const char* english;
};

constexpr Text kEnglishTexts[] = {
    {kGeneralStrings, 5, "Cancel"},
    {kGeneralStrings, 10, "Error"},
    {kGeneralStrings, 14, "Warning"},
    {kGeneralStrings, 28, "unknown document!"},
    {kGeneralStrings, 64, "OK"},
    {kGeneralStrings, 65, "To enable the selected language, start ArchiCAD again."},
    {kUpdateStrings, 16, "Start..."},
    {kUpdateStrings, 17, "Refresh List of Available Add-Ons"},
    {kUpdateStrings, 18, "Problem:"},
    {kUpdateStrings, 19, "The add-ons cannot be loaded."},
    {kUpdateStrings, 20,
     "Make sure you have installed the correct version for your ArchiCAD and operating system."},
    {kUpdateStrings, 24, "Exit ArchiCAD, resolve the problem then run ArchiCAD again."},
    {kErrorStrings, 4,
     "Missing add-on!\nThis Add-On must be placed into the Add-Ons folder before launching "
     "ArchiCAD in order to perform proper work."},
};

TEST(StringLists, EnglishTextsAskedForByNumber) {
    for (const Text& text : kEnglishTexts) {
        const GSResID list = static_cast<GSResID>(text.family + kEnglish);
        SCOPED_TRACE(Trace(list, text.index));
        const auto texts = carried::Texts(list);
        ASSERT_GE(texts.size(), static_cast<std::size_t>(text.index));
        EXPECT_EQ(texts[static_cast<std::size_t>(text.index) - 1], text.english);
    }
}

struct TranslatedText {
    std::int16_t family;
    std::int32_t index;
    std::array<const char*, 6> byLanguage;  // Italian to Japanese; null where not fixed
};

const TranslatedText kTranslatedTexts[] = {
    {kUpdateStrings, 2, {"Nome", "Name", "Nom", "Name", "Nombre", nullptr}},
    {kUpdateStrings, 3, {"Versione", "Version", "Version", "Version", "Versión", nullptr}},
    {kUpdateStrings, 4, {"Data", "Date", "Date", "Datum", "Fecha", nullptr}},
    {kUpdateStrings, 5, {"Versione:", "Version:", "Version:", "Version:", "Versión:", nullptr}},
    {kUpdateStrings, 6, {"Data:", "Date:", "Date:", "Datum:", "Fecha:", nullptr}},
    {kUpdateStrings,
     7,
     {"Sistema:", "System:", "Système:", "Betriebssystem:", "Sistema:", nullptr}},
    {kUpdateStrings,
     9,
     {"Salva come Testo...", "Save as Text...", "Enregistrer comme Texte...", "Sichern als Text...",
      "Guardar como Texto...", nullptr}},
    {kUpdateStrings,
     10,
     {"Sono disponibili gli aggiornamenti di Velmora!", "Velmora Update is available!",
      "Mise à jour Velmora disponible!", "Ein Velmora-Update ist verfügbar!",
      "Hay una Actualización de Velmora disponible!", nullptr}},
    {kUpdateStrings,
     11,
     {"Il vostro software è aggiornato!", "Your software is up-to-date!",
      "Votre logiciel est à jour!", "Ihre Software ist aktuell!",
      "Su Software está actualizado al dia!", nullptr}},
    {kUpdateStrings,
     12,
     {"Download dei Plug-ins...", "Download Add-ons...", "Télécharger Extensions...",
      "Download der Add-Ons...", "Descargar Add-ons...", nullptr}},
    {kUpdateStrings, 13, {"Esci", "Quit", "Quitter", "Beenden", "Salir", nullptr}},
    {kUpdateStrings,
     14,
     {"SenzaTitolo", "Untitled", "SansTitre", "Ohne Titel", "Sin Título", nullptr}},
    {kUpdateStrings,
     15,
     {"Ulteriori informazioni... (sito Web)", "Learn more... (web site)",
      "En savoir plus... (site Web)", "Weitere Infos... (Webseite)",
      "Más información... (sito Web)", nullptr}},
    {kErrorStrings, 1, {"Errore", "Error", nullptr, nullptr, nullptr, nullptr}},
    {kErrorStrings,
     2,
     {"Nome non corretto!", "Incorrect name!", nullptr, nullptr, nullptr, nullptr}},
    {kErrorStrings,
     3,
     {"Impossibile aggiornare le informazioni del file!", "Unable to update information in file!",
      nullptr, nullptr, nullptr, nullptr}},
    {kGeneralStrings,
     33,
     {"Non riesco ad eseguire la connessione internet.", "Unable to get an internet connection.",
      "Je n'arrive pas à établir la connexion Internet.", "Keine Internetverbindung möglich.",
      "No consigo realizar la conexión a Internet.", "インターネット接続を取得できません。"}},
};

// These lists are stored in UTF-8, so the texts compare as this file writes them.
TEST(StringLists, TranslatedTextsAskedForByNumber) {
    for (const TranslatedText& text : kTranslatedTexts) {
        for (std::size_t language = 0; language < text.byLanguage.size(); ++language) {
            if (text.byLanguage[language] == nullptr) {
                continue;
            }
            const GSResID list = static_cast<GSResID>(text.family + static_cast<int>(language));
            SCOPED_TRACE(Trace(list, text.index));
            const auto texts = carried::Texts(list);
            ASSERT_GE(texts.size(), static_cast<std::size_t>(text.index));
            EXPECT_EQ(texts[static_cast<std::size_t>(text.index) - 1], text.byLanguage[language]);
        }
    }
}

}  // namespace
