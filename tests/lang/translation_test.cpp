// The language chosen from the environment and the settings, the catalogue's texts with
// English where an entry is missing or broken, and the page's Latin-1.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "lang/latin1.h"
#include "lang/translation.h"

namespace {

// The variables gettext reads, set for one test and put back after it.
class LanguageEnvironment : public ::testing::Test {
protected:
    static constexpr const char* Names[4] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::string saved[4];
    bool had[4] = {};

    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            const char* value = std::getenv(Names[i]);
            had[i] = value != nullptr;
            saved[i] = value ? value : "";
            unsetenv(Names[i]);
        }
        resetTranslation();
    }
    void TearDown() override {
        for (int i = 0; i < 4; ++i) {
            if (had[i]) setenv(Names[i], saved[i].c_str(), 1);
            else unsetenv(Names[i]);
        }
        resetTranslation();
    }
    // LANGUAGE, LC_ALL, LC_MESSAGES, LANG; null leaves one unset.
    int languageFor(const char* language, const char* all, const char* messages, const char* lang) {
        const char* values[4] = {language, all, messages, lang};
        for (int i = 0; i < 4; ++i) {
            if (values[i]) setenv(Names[i], values[i], 1);
            else unsetenv(Names[i]);
        }
        return languageFromEnvironment();
    }
};

}  // namespace

TEST(Latin1, UmlautsBecomeTheFontsBytesAndTheRestAFallback) {
    char out[64];
    EXPECT_EQ(utf8ToLatin1("Grüße, Ärger, Öl", out, sizeof out), 16);
    EXPECT_STREQ(out, "Gr\xFC\xDF" "e, \xC4rger, \xD6l");
    // The euro sign and broken sequences (a lone continuation byte, a lead byte cut short
    // by the end) each become one fallback, and nothing after them is lost; the arrows
    // become the fonts' own.
    EXPECT_EQ(utf8ToLatin1("5 \xE2\x82\xAC \xE2\x86\x91 \x80x \xC3", out, sizeof out), 10);
    EXPECT_STREQ(out, "5 ? \x8D ?x ?");
    // An overlong zero is a fallback, not the end of the text.
    EXPECT_EQ(utf8ToLatin1("a\xF0\x80\x80\x80" "b", out, sizeof out), 3);
    EXPECT_STREQ(out, "a?b");
    // Too small for the whole text: nothing rather than a cut text.
    EXPECT_EQ(utf8ToLatin1("Stra\xC3\x9F" "e", out, 5), -1);
    EXPECT_STREQ(out, "");
}

TEST_F(LanguageEnvironment, GettextsOrderOfTheVariables) {
    EXPECT_EQ(languageFor(nullptr, nullptr, nullptr, "de_DE.UTF-8"), LanguageGerman);
    EXPECT_EQ(languageFor(nullptr, "C", nullptr, "de_DE.UTF-8"), LanguageEnglish);          // LC_ALL first
    EXPECT_EQ(languageFor(nullptr, nullptr, "de_AT", "en_GB.UTF-8"), LanguageGerman);       // then LC_MESSAGES
    EXPECT_EQ(languageFor("fr:de", nullptr, nullptr, "en_US.UTF-8"), LanguageGerman);       // LANGUAGE's first known
    EXPECT_EQ(languageFor("de", nullptr, nullptr, "C"), LanguageEnglish);                   // "C" ignores LANGUAGE
    EXPECT_EQ(languageFor("de", nullptr, nullptr, nullptr), LanguageEnglish);
    EXPECT_EQ(languageFor(nullptr, nullptr, nullptr, "dee_XX"), LanguageEnglish);
}

TEST_F(LanguageEnvironment, SettingChoosesOrLeavesItToTheEnvironment) {
    EXPECT_EQ(languageFromSetting("auto"), -1);
    EXPECT_EQ(languageFromSetting(""), -1);
    EXPECT_EQ(languageFromSetting("de"), LanguageGerman);
    EXPECT_EQ(languageFromSetting("en"), LanguageEnglish);
    EXPECT_EQ(languageFromSetting("klingon"), -2);

    useLocaleFolder(TG_TEST_LOCALE_DIR);
    setenv("LANG", "de_DE.UTF-8", 1);
    chooseLanguage("en");
    EXPECT_EQ(Translation.language, LanguageEnglish);
    chooseLanguage("auto");
    EXPECT_EQ(Translation.language, LanguageGerman);
    // An unknown name: one line naming it, and English.
    testing::internal::CaptureStderr();
    chooseLanguage("klingon");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Translation.language, LanguageEnglish);
    EXPECT_NE(said.find("\"klingon\""), std::string::npos);
    EXPECT_EQ(said.find('\n'), said.size() - 1);
}

TEST_F(LanguageEnvironment, MissingOrBrokenEntriesStayEnglish) {
    useLocaleFolder(TG_TEST_LOCALE_DIR);
    setLanguage(LanguageGerman);
    ASSERT_EQ(Translation.language, LanguageGerman);
    EXPECT_STREQ(tr("Translated"), "Übersetzt");
    const char* missing = "Not in the catalogue";
    EXPECT_EQ(tr(missing), missing);
    EXPECT_STREQ(tr("%s wins by %d"), "%s wins by %d");
    EXPECT_STREQ(tr("Left empty"), "Left empty");
    // The page's texts: Latin-1, the same text each time, and a fallback for the euro.
    const char* page = trPage("Translated");
    EXPECT_STREQ(page, "\xDC" "bersetzt");
    EXPECT_EQ(trPage("Translated"), page);
    EXPECT_STREQ(trPage("Costs 5 €"), "Kostet 5 ?");
    EXPECT_EQ(trPage(missing), missing);
    // The replay tool's pages stay English whatever the messages are in.
    keepPagesInEnglish();
    EXPECT_STREQ(trPage("Translated"), "Translated");
    EXPECT_STREQ(tr("Translated"), "Übersetzt");
}

TEST_F(LanguageEnvironment, GermanWithoutACatalogueFolderIsEnglish) {
    setLanguage(LanguageGerman);
    EXPECT_EQ(Translation.language, LanguageEnglish);
    EXPECT_STREQ(tr("Translated"), "Translated");
}
