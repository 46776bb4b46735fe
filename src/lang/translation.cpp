#include "lang/translation.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <libintl.h>
#include <unistd.h>

#include "lang/latin1.h"

TranslationState Translation;

namespace {

const char TextDomain[] = "tumblegrade";
const char* const Codes[LanguageCount] = {"en", "de"};
const char* const Names[LanguageCount] = {"English", "Deutsch"};

// The language a locale or LANGUAGE entry names ("de_AT.UTF-8", "de"), or -1.
int languageOfLocale(const char* locale, size_t length) {
    for (int language = 0; language < LanguageCount; ++language)
        if (length >= 2 && std::strncmp(locale, Codes[language], 2) == 0 &&
            (length == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@'))
            return language;
    return -1;
}

// gettext's order: the first of LC_ALL, LC_MESSAGES, LANG that is set names the locale.
const char* messagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return "C";
}

bool catalogueIn(const char* folder) {
    char path[LocaleFolderSize + 64];
    std::snprintf(path, sizeof path, "%s/de/LC_MESSAGES/%s.mo", folder, TextDomain);
    return access(path, R_OK) == 0;
}

// The % conversions of a format text in order ("%s %d" gives "sd"); "%%" is none.
void conversionsOf(const char* text, char* out, int size) {
    int used = 0;
    for (const char* at = text; *at && used + 1 < size; ++at) {
        if (*at != '%') continue;
        ++at;
        while (*at && std::strchr("0123456789.-+ #*lhz", *at)) ++at;
        if (!*at) break;
        if (*at != '%') out[used++] = *at;
    }
    out[used] = '\0';
}

bool sameConversions(const char* english, const char* translated) {
    if (!std::strchr(english, '%') && !std::strchr(translated, '%')) return true;
    char a[32], b[32];
    conversionsOf(english, a, sizeof a);
    conversionsOf(translated, b, sizeof b);
    return std::strcmp(a, b) == 0;
}

size_t slotOf(const char* english) {
    return (reinterpret_cast<uintptr_t>(english) >> 3) * 2654435761u % PageTextSlots;
}

void forgetPageTexts() {
    std::memset(Translation.pageTexts, 0, sizeof Translation.pageTexts);
    Translation.arenaUsed = 0;
}

}  // namespace

void resetTranslation() {
    Translation.language = LanguageEnglish;
    Translation.pagesInEnglish = 0;
    Translation.localeFolder[0] = '\0';
    forgetPageTexts();
}

const char* languageCode(int language) { return language >= 0 && language < LanguageCount ? Codes[language] : "en"; }
const char* languageName(int language) { return language >= 0 && language < LanguageCount ? Names[language] : "?"; }

int languageFromSetting(const char* name) {
    if (!name || !*name || std::strcmp(name, "auto") == 0) return -1;
    for (int language = 0; language < LanguageCount; ++language)
        if (std::strcmp(name, Codes[language]) == 0) return language;
    return -2;
}

int languageFromEnvironment() {
    const char* locale = messagesLocale();
    // Like gettext: the "C" locale ignores LANGUAGE and shows the texts as written.
    if (std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0) return LanguageEnglish;
    const char* list = std::getenv("LANGUAGE");
    for (const char* at = list; at && *at;) {
        const char* end = std::strchr(at, ':');
        const size_t length = end ? size_t(end - at) : std::strlen(at);
        const int language = languageOfLocale(at, length);
        if (language >= 0) return language;
        if (!end) break;
        at = end + 1;
    }
    const int language = languageOfLocale(locale, std::strlen(locale));
    return language >= 0 ? language : LanguageEnglish;
}

bool findLocaleFolder(const char* programPath, char* out, int size) {
    char programDir[LocaleFolderSize];
    std::snprintf(programDir, sizeof programDir, "%s", programPath ? programPath : "");
    char* slash = std::strrchr(programDir, '/');
    if (slash) *slash = '\0';
    else std::snprintf(programDir, sizeof programDir, ".");
    const char* const places[] = {"%s/locale", "%s/../share/locale", "%s/../../locale"};
    for (const char* place : places) {
        std::snprintf(out, size_t(size), place, programDir);
        if (catalogueIn(out)) return true;
    }
    std::snprintf(out, size_t(size), "%s", TG_INSTALL_LOCALE_PATH);
    return catalogueIn(out);
}

void useLocaleFolder(const char* folder) {
    std::snprintf(Translation.localeFolder, sizeof Translation.localeFolder, "%s", folder ? folder : "");
}

void setLanguage(int language) {
    forgetPageTexts();
    Translation.language = language == LanguageGerman && Translation.localeFolder[0] ? language : LanguageEnglish;
    if (Translation.language == LanguageEnglish) return;
    // gettext reads LANGUAGE only outside the "C" locale; the messages category alone is
    // set, so numbers keep their dots in every text a program reads.
    setenv("LANGUAGE", Codes[Translation.language], 1);
    const char* locale = std::setlocale(LC_MESSAGES, "");
    if (!locale || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    bindtextdomain(TextDomain, Translation.localeFolder);
    bind_textdomain_codeset(TextDomain, "UTF-8");
    textdomain(TextDomain);
}

void chooseLanguage(const char* setting) {
    int language = languageFromSetting(setting);
    if (language == -2) {
        std::fprintf(stderr, "tumblegrade: unknown language \"%s\" in the settings, using English\n", setting);
        language = LanguageEnglish;
    }
    setLanguage(language == -1 ? languageFromEnvironment() : language);
}

void startTranslation(const char* setting) {
    char program[LocaleFolderSize] = {};
    char folder[LocaleFolderSize];
    if (readlink("/proc/self/exe", program, sizeof program - 1) < 0) program[0] = '\0';
    if (findLocaleFolder(program, folder, sizeof folder)) useLocaleFolder(folder);
    chooseLanguage(setting);
}

const char* tr(const char* english) {
    if (Translation.language == LanguageEnglish || !english || !*english) return english;
    const char* translated = dgettext(TextDomain, english);
    if (!translated || !*translated || !sameConversions(english, translated)) return english;
    return translated;
}

void keepPagesInEnglish() { Translation.pagesInEnglish = 1; }

const char* trPage(const char* english) {
    if (Translation.language == LanguageEnglish || Translation.pagesInEnglish || !english || !*english) return english;
    size_t slot = slotOf(english);
    for (int probe = 0; probe < PageTextSlots; ++probe, slot = (slot + 1) % PageTextSlots) {
        PageTextSlot& entry = Translation.pageTexts[slot];
        if (entry.english == english) return entry.page;
        if (entry.english) continue;
        // Untranslated texts stay as they are: they are the page's already (key caps with
        // the fonts' arrows are no UTF-8).
        const char* translated = tr(english);
        if (translated == english) return english;
        char* at = Translation.pageArena + Translation.arenaUsed;
        const int length = utf8ToLatin1(translated, at, PageTextArenaSize - Translation.arenaUsed);
        if (length < 0) return english;  // no room left: English rather than a cut text
        Translation.arenaUsed += length + 1;
        entry = PageTextSlot{english, at};
        return at;
    }
    return english;
}
