// The language of the texts a person reads: English, the game's own, or German from the
// catalogue "tumblegrade" (GNU gettext). Chosen from the environment as gettext reads it
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), unless the player's `language` setting names one.
// Lines that programs read never go through here.
#pragma once

enum Language { LanguageEnglish = 0, LanguageGerman, LanguageCount };

constexpr int LocaleFolderSize = 1024;
constexpr int PageTextSlots = 2048;           // texts converted for the page, by their English
constexpr int PageTextArenaSize = 96 * 1024;  // where the converted texts are kept

struct PageTextSlot {
    const char* english;  // null: free
    const char* page;     // its Latin-1 text in the arena
};

struct TranslationState {
    int language;                           // Language
    int pagesInEnglish;                     // the replay tool: the page's words stay the reference
    char localeFolder[LocaleFolderSize];    // the folder holding de/LC_MESSAGES/tumblegrade.mo
    PageTextSlot pageTexts[PageTextSlots];
    char pageArena[PageTextArenaSize];
    int arenaUsed;
};

extern TranslationState Translation;

// Back to English with no catalogue folder (tests).
void resetTranslation();

// The short code ("en", "de") and the name in its own language ("English", "Deutsch").
const char* languageCode(int language);
const char* languageName(int language);
// The language a setting names: "auto" or "" gives -1 (the environment decides); an unknown
// name gives -2.
int languageFromSetting(const char* name);
// The language the environment asks for, as gettext reads it; English for anything else.
int languageFromEnvironment();

// Where the catalogues are: beside the program (the build's locale/), the install's
// share/locale, the compiled-in one. False when none holds the German catalogue.
bool findLocaleFolder(const char* programPath, char* out, int size);
void useLocaleFolder(const char* folder);

// The language from the setting, or from the environment when the setting says "auto"
// (or is null). An unknown setting gets one line on stderr and English.
void chooseLanguage(const char* setting);
void setLanguage(int language);
// A program's start: the catalogues found beside the running program, then chooseLanguage.
void startTranslation(const char* setting);
// The page's words stay English whatever the language of the program's messages.
void keepPagesInEnglish();

// The text in the chosen language, UTF-8 (for the terminal and the pictures). A text the
// catalogue lacks, or whose translation is empty or has other % conversions, stays English.
const char* tr(const char* english);
// The same for the page: Latin-1, the fonts' characters. `english` must live as long as
// the program (a literal or a table entry): the converted text is kept by its address.
const char* trPage(const char* english);
// Marks a text in a table for the catalogue; it is translated where it is used.
#define N_(text) text
