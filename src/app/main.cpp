// The windowed game's entry: --help and --version, the player's settings, the data folder,
// the argument vector as the game expects it, the sound layer, then gameMain.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "app/best_times_option.h"
#include "app/daily_pars.h"
#include "app/data_dir.h"
#include "app/game_main.h"
#include "app/online_options.h"
#include "app/usage.h"
#include "demo/ghost_view.h"
#include "demo/install_demos.h"
#include "editor/editor_screen.h"
#include "framework/fatal_error.h"
#include "lang/translation.h"
#include "menus/clock_install.h"
#include "menus/course_list.h"
#include "menus/course_screen.h"
#include "menus/hud.h"
#include "menus/options_screen.h"
#include "online/run_sender.h"
#include "menus/run_watch.h"
#include "platform/sdl_keys.h"
#include "platform/sdl_window.h"
#include "settings/settings.h"
#include "sound/sound_layer.h"

namespace {

// Options of the window itself; the game's own command line never sees them. An option
// with a value takes the next word.
struct WindowOption {
    const char* name;
    bool takesValue;
    void (*apply)(const char* value);
};

const char* CourseWanted = nullptr;
const char* DemoWanted = nullptr;
const char* EditWanted = nullptr;
int PracticeWanted = 0;

void fillScreen(const char*) { sdlSetFullScreenFill(1); }
void wantCourse(const char* name) { CourseWanted = name; }
void wantDemo(const char* file) { DemoWanted = file; }
void wantEdit(const char* course) { EditWanted = course; }
void wantServer(const char* url) {
    if (!rememberOnlineServer(url)) fatalError("--server: a URL of at most 255 characters without blanks");
}
void wantPractice(const char*) { PracticeWanted = 1; }

constexpr WindowOption WindowOptions[] = {
    {"--fill-screen", false, fillScreen},  // full screen: fill the screen, aspect ratio kept
    {"--course", true, wantCourse},        // a course name from the course screen, or a file
    {"--demo", true, wantDemo},            // a demo to watch as soon as the game is up
    {"--edit", true, wantEdit},            // the course editor on a course as soon as the game is up
    {"--server", true, wantServer},        // the board server runs are sent to, kept in the settings
    {"--practice", false, wantPractice},   // practice speed for this start
};

// The number of words the option at argv[i] takes (0 when it is none of ours). A demo
// file by itself (as a file manager opens one) is taken as --demo FILE.
int takeWindowOption(int argc, char** argv, int i) {
    const size_t length = std::strlen(argv[i]);
    if (length > 7 && std::strcmp(argv[i] + length - 7, ".tgdemo") == 0) {
        wantDemo(argv[i]);
        return 1;
    }
    for (const WindowOption& option : WindowOptions) {
        if (std::strcmp(argv[i], option.name) != 0) continue;
        if (option.takesValue && i + 1 >= argc) fatalError((std::string(option.name) + " needs a value").c_str());
        option.apply(option.takesValue ? argv[i + 1] : nullptr);
        return option.takesValue ? 2 : 1;
    }
    return 0;
}

// The course of --course: a name the course screen lists, or a file from the folder the
// game was started in. One that cannot be ridden ends the start with its reason. Without
// the option, the course last taken on the course screen, when it is still there.
void chooseWantedCourse(const char* startFolder) {
    char error[512];
    if (!CourseWanted) {
        const char* remembered = rememberedCourse();
        if (remembered[0] && chooseCourseAtStart(remembered, startFolder, error, sizeof error)) return;
        if (remembered[0])
            std::fprintf(stderr, "tumblegrade: the course last ridden is gone, riding the first: %s\n", error);
        // The shipped course under its name and par from the index, for the time and demos.
        gatherCourses(&Courses);
        const int first = chosenCourseEntry(&Courses);
        if (first >= 0) setChosenCourseLabel(Courses.entries[first].name, Courses.entries[first].par);
        return;
    }
    if (chooseCourseAtStart(CourseWanted, startFolder, error, sizeof error)) return;
    std::fprintf(stderr, "tumblegrade: %s\n", error);
    std::exit(1);
}

// The window as the player left it; a command-line option given after this wins for
// this start only (the file keeps its own value).
void applySettings() {
    char path[sizeof SettingsStore.path];
    if (settingsPath(path, sizeof path)) loadSettings(path);
    sdlSetFullScreenFill(Setting.fill);
    sdlSetWindowScale(Setting.windowScale);
    sdlSetStartFullScreen(Setting.fullScreen);
    sdlSetFullScreenWatcher(rememberFullScreen);
}

// The on-screen time (Tab) and the ghost (F7) as the player left them; a change is
// written when it happens.
struct Switches {
    int hud, ghost;
};
Switches Remembered = {1, 1};

void applySwitches() {
    Remembered = Switches{rememberedSwitch("hud", 1), rememberedSwitch("ghost", 1)};
    Hud.shown = Remembered.hud;
    setGhostShown(Remembered.ghost);
}

// Both ways: a key in the ride changes the file, the options screen changes the game.
void syncSwitches() {
    const int hud = rememberedSwitch("hud", Remembered.hud), ghost = rememberedSwitch("ghost", Remembered.ghost);
    if (hud != Remembered.hud)
        Hud.shown = Remembered.hud = hud;
    else if (Hud.shown != Remembered.hud)
        rememberSwitch("hud", Remembered.hud = Hud.shown);
    if (ghost != Remembered.ghost)
        setGhostShown(Remembered.ghost = ghost);
    else if (ghostShown() != Remembered.ghost)
        rememberSwitch("ghost", Remembered.ghost = ghostShown());
}

// Practice speed: the window paces the game at half speed, and the run watch keeps no
// run ridden so (RunWatch.practice, which everything that keeps or sends runs reads).
void setPracticeSpeed(int on) {
    sdlSetPracticeSpeed(on);
    RunWatch.practice = on ? 1 : 0;
}

// What the options screen changes at once.
constexpr OptionsHooks WindowOptionsHooks = {sdlRequestFullScreen, sdlSetFullScreenFill, sdlSetWindowScale, setSoundOn,
                                             applySoundVolumes, setPracticeSpeed};

// The course of --edit: one that cannot be opened ends the start with its reason.
void editWantedCourse(const char* startFolder) {
    char error[256];
    if (!EditWanted || editCourseAtStart(EditWanted, startFolder, error, sizeof error)) return;
    std::fprintf(stderr, "tumblegrade: --edit %s: %s\n", EditWanted, error);
    std::exit(1);
}

// The demo of --demo, named from the folder the game was started in.
void watchWantedDemo(const char* startFolder) {
    if (!DemoWanted) return;
    const std::string path = DemoWanted[0] == '/' ? std::string(DemoWanted) : std::string(startFolder) + "/" + DemoWanted;
    watchDemoAtStart(path.c_str());
}

// The sender runs while a server is set (the options screen may change it at any time);
// with none set it never starts.
char ServerFollowed[ServerUrlSize];

void followOnlineServer() {
    if (std::strcmp(ServerFollowed, onlineServerNow()) == 0) return;
    std::snprintf(ServerFollowed, sizeof ServerFollowed, "%s", onlineServerNow());
    startRunSender(ServerFollowed);
}

// The texts' language: the environment's (for --help too), then the settings' when they
// name one; German pictures come from the data's de/ folder, English where it has none.
void chooseTextLanguage(const char* setting) {
    startTranslation(setting);
    searchLanguageFolderFirst(Translation.language == LanguageEnglish ? "" : languageCode(Translation.language));
}

}  // namespace

int main(int argc, char** argv) {
    chooseTextLanguage(nullptr);
    const int answered = answerInfoOption(argc, argv);
    if (answered >= 0) return answered;
    const int listed = answerBestTimesOption(argc, argv, stdout);
    if (listed >= 0) return listed;
    // Entry 0 is the program's full path; the words after it are joined back into one
    // command tail (quoting words with blanks) and split by the game's own rule.
    char programPath[PATH_MAX] = {};
    if (readlink("/proc/self/exe", programPath, sizeof programPath - 1) < 0)
        std::snprintf(programPath, sizeof programPath, "%s", argc > 0 ? argv[0] : "tumblegrade");
    // Every name the game reads is relative: start it inside the folder of its data.
    static char startFolder[PATH_MAX];
    if (!getcwd(startFolder, sizeof startFolder)) startFolder[0] = 0;
    static char notFound[4096];
    if (!enterGameData(programPath, notFound, sizeof notFound)) fatalError(notFound);
    applySettings();
    if (languageFromSetting(Setting.language) != -1) chooseTextLanguage(Setting.language);
    const int online = answerOnlineOption(argc, argv, startFolder, stdout);
    if (online >= 0) return online;
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (const int taken = takeWindowOption(argc, argv, i)) {
            i += taken - 1;
            continue;
        }
        if (!tail.empty()) tail += ' ';
        const bool blank = std::strpbrk(argv[i], " \t") != nullptr;
        if (blank) tail += '"';
        tail += argv[i];
        if (blank) tail += '"';
    }
    sdlSetGamepadEscapeRule(gamepadBActsAsEsc);
    sdlSetGamepadMainMenuRule(gamepadOnMainMenu);
    sdlSetKeyContextRule(keyContextNow);
    useTopScreens(1);
    installCourseScreen();
    setCourseTakenHook(rememberCourse);
    setCourseListHook(proveDailyCoursesAside);
    installCourseEditor();
    chooseWantedCourse(startFolder);
    installClockAndRecords();
    installOptionsScreen(&WindowOptionsHooks);
    installDemos();
    setPracticeSpeed(Setting.practice || PracticeWanted);
    applySwitches();
    addIterationObserver(syncSwitches);
    followOnlineServer();
    addIterationObserver(followOnlineServer);
    std::atexit(stopRunSender);
    watchWantedDemo(startFolder);
    editWantedCourse(startFolder);
    static char storage[2048];
    static char* gameArgv[20];
    const int gameArgc = splitCommandLine(programPath, tail.c_str(), storage, sizeof storage, gameArgv);
    startSound(gameArgc, gameArgv);
    return gameMain(gameArgc, gameArgv);
}
