// tumblegrade-replay: the whole game on the headless back-end, driven by a script.
//   tumblegrade-replay SCRIPT [--data DIR] [--out DIR] [--state FILE] [--records] [--hud]
//   tumblegrade-replay --timedemo SCRIPT [--data DIR]
//   tumblegrade-replay --verify DEMO [--data DIR]
//   tumblegrade-replay SCRIPT --make-demo FILE [--course NAME] [--data DIR]
//   tumblegrade-replay --autopilot [--data DIR] [--state FILE] [--record FILE]
// A timedemo runs the script without snapshots or state log, every page converted to
// 32 bits as the window does it, and prints the frame rate of all frames but the first.
// The autopilot plays from the intro to the end of a run and prints one line:
//   course NAME outcome SCREEN iterations N
// SCREEN is the screen the run ended on (finish, crash, injury, defect, or "none" when
// no run ended) and N the run's ride iterations (the ride clock); --record writes the
// session as a script that plays back to the same end.
// --verify plays a demo without pictures or state log and prints the run's outcome and
// time: exit 0 when they are the header's, 1 when not, 2 when the demo cannot be read or
// its course is not here. --ghost FILE (with a script) draws that ghost path into the
// race view as the window game does; the state log is the same as without it.
// --make-demo FILE writes the script's first run as a demo (the shipped demos are the
// autopilot's recordings made into demos).
// --course NAME (any mode but --verify) rides the daily course (daily: today's, UTC; daily-YYYY-MM-DD),
// the course of that name in the data folder's index, or
// the course file NAME; without it the runs ride track.tbk as always.
// --records keeps a finished run in the records file; --hud draws the run's time, the
// splits and the finish lines into the pages.
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/game_main.h"
#include "demo/ghost_view.h"
#include "demo_verify.h"
#include "menus/top_screens.h"
#include "base/game_state.h"
#include "base/scan_codes.h"
#include "framework/framework.h"
#include "files/file_read.h"
#include "files/folders.h"
#include "files/safe_write.h"
#include "lang/translation.h"
#include "menus/clock_install.h"
#include "pilot/autopilot_session.h"
#include "platform/headless.h"
#include "race/ride_clock.h"
#include "coursegen/daily_course.h"
#include "coursegen/daily_file.h"
#include "track/course_choice.h"
#include "track/course_index.h"
#include "demo/replay_script.h"
#include "state_log.h"

namespace {

ReplayScript Script;
size_t NextCommand = 0;
std::string OutDir;
FILE* StateFile = nullptr;

// The timedemo: the page as the window gets it, and the clock from the end of the
// first frame to the end of the last.
struct Timedemo {
    bool on;
    uint32_t converted[640 * 480];
    std::chrono::steady_clock::time_point firstFrameEnd, lastFrameEnd;
    int frames;  // frames after the first
};
Timedemo Demo;

int usage() {
    std::fprintf(stderr, "%s",
                 tr("usage: tumblegrade-replay SCRIPT [--data DIR] [--out DIR] [--state FILE] [--records] [--hud]\n"
                 "       tumblegrade-replay --timedemo SCRIPT [--data DIR]\n"
                 "       tumblegrade-replay --verify DEMO [--data DIR]\n"
                 "a script also takes --ghost FILE (a ghost path drawn into the race view)\n"
                 "and --make-demo FILE (its first run written as a demo)\n"
                 "       tumblegrade-replay --autopilot [--data DIR] [--state FILE] [--record FILE]\n"
                 "every mode also takes --course NAME (daily, daily-YYYY-MM-DD, a name from the course index or a course file)\n"));
    return 2;
}

void timeFrame(int iteration) {
    const auto now = std::chrono::steady_clock::now();
    if (iteration == 0) {
        Demo.firstFrameEnd = now;
    } else {
        Demo.lastFrameEnd = now;
        Demo.frames = iteration;
    }
}

void printTimedemo() {
    const double seconds =
        Demo.frames > 0 ? std::chrono::duration<double>(Demo.lastFrameEnd - Demo.firstFrameEnd).count() : 0.0;
    const double fps = seconds > 0 ? Demo.frames / seconds : 0.0;
    std::printf("%d frames, %.3f seconds, %.1f fps\n", Demo.frames, seconds, fps);
}

std::string absoluteFrom(const std::string& base, const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    return base + "/" + path;
}

void deliver(const ReplayCommand& c) {
    switch (c.type) {
    case ReplayTime: headlessSetClock(c.value); break;
    case ReplayPress: headlessQueueKey(int(c.value), 1); break;
    case ReplayRelease: headlessQueueKey(int(c.value), 0); break;
    case ReplayTap:
        headlessQueueKey(int(c.value), 1);
        headlessQueueKey(int(c.value), 0);
        break;
    case ReplayMode: {
        PlatformMessage m{};
        m.type = MsgModeCommand;
        m.code = 1;
        headlessQueueMessage(m);
        break;
    }
    case ReplayCloseYes: headlessQueueClose(1); break;
    case ReplayCloseNo: headlessQueueClose(0); break;
    default: break;
    }
}

// ---- the autopilot ------------------------------------------------------------

bool AutopilotOn = false;

void autopilotBegin(int iteration) { autopilotSessionBegin(iteration); }

void autopilotEnd(int iteration) {
    if (StateFile) writeStateLine(StateFile, iteration);
    autopilotSessionEnd(iteration);
}

// --course: a daily course (daily, daily-YYYY-MM-DD: the name becomes the dated one), a
// name from the index in the data folder (we are inside it), or a course file, relative
// to the folder the tool was started in.
CourseIndex Courses;

bool chooseCourse(std::string& course, const std::string& cwd) {
    char path[CoursePathCapacity], error[160];
    int days = 0;
    const int daily = dailyCourseFileNamed(course.c_str(), &days, path, sizeof path, error, sizeof error);
    if (daily < 0) {
        std::fprintf(stderr, "tumblegrade-replay: %s\n", error);
        return false;
    }
    if (daily > 0) {
        char name[DailyNameCapacity];
        dailyCourseName(days, name);
        course = name;
        return chooseCourseFile(path) != 0;
    }
    const std::string file = findCourse(&Courses, course.c_str()) ? course : absoluteFrom(cwd, course);
    if (!resolveCourse(&Courses, file.c_str(), path, sizeof path)) {
        std::fprintf(stderr, tr("tumblegrade-replay: no course %s in the index and no such file\n"), course.c_str());
        return false;
    }
    return chooseCourseFile(path) != 0;
}

// The course's name: as given to --course, or the index's name of the course ridden.
std::string courseLabel(const std::string& course) {
    if (!course.empty()) return course;
    for (int i = 0; i < Courses.count; ++i)
        if (std::strcmp(Courses.entries[i].file, chosenCourseFile()) == 0) return Courses.entries[i].name;
    return chosenCourseFile();
}

bool writeRecord(const std::string& path, const std::string& courseName) {
    int ok = 0;
    const uint64_t hash = courseContentHash(chosenCourseFile(), &ok);
    char header[256];
    std::snprintf(header, sizeof header,
                  "# tumblegrade-replay --autopilot: a whole session, intro to the end of the run\n"
                  "# course %s\n# course content hash %016llx\n",
                  courseName.c_str(), (unsigned long long)hash);
    const std::string text = header + autopilotSessionRecord();
    return writeFileSafely(path.c_str(), text.data(), text.size(), SharedFileMode);
}

void beginIteration(int iteration) {
    // --verify plays the whole demo in the first iteration, once the game is up.
    if (verifyingDemo()) {
        if (iteration == 0) playDemoForVerification(Script);
        requestExit();
        return;
    }
    // Messages arrive at the start of their iteration, snapshots wait for its end.
    for (size_t i = NextCommand; i < Script.commands.size() && Script.commands[i].iteration == iteration; ++i)
        deliver(Script.commands[i]);
}

void writeSnapshot(const std::string& name) {
    DisplayContext* page = drawingPage();
    if (!page) return;
    const std::string path = OutDir + "/" + name + ".bmp";
    if (!writeBitmap8(path.c_str(), page->pixels, page->width, page->height, page->width, page->palette))
        std::fprintf(stderr, tr("tumblegrade-replay: cannot write %s\n"), path.c_str());
}

void endIteration(int iteration) {
    if (makingDemo()) makingIteration(iteration);
    if (Demo.on) timeFrame(iteration);
    if (StateFile) writeStateLine(StateFile, iteration);
    bool stop = false;
    while (NextCommand < Script.commands.size() && Script.commands[NextCommand].iteration == iteration) {
        const ReplayCommand& c = Script.commands[NextCommand++];
        if (c.type == ReplaySnap && !Demo.on) writeSnapshot(c.name);
        if (c.type == ReplayStop) stop = true;
    }
    if (stop || iteration >= Script.lastIteration) requestExit();
}

}  // namespace

int main(int argc, char** argv) {
    // Its messages in the player's language; its pictures and logs stay the English reference.
    startTranslation(nullptr);
    keepPagesInEnglish();
    std::string scriptPath, dataDir = TG_DEFAULT_DATA_DIR, outDir, statePath, course, recordPath, ghostPath, makeDemoPath;
    bool keepRecords = false, drawHud = false;  // --records, --hud: the clock's additions
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--timedemo") {
            Demo.on = true;
        } else if (arg == "--verify") {
            startDemoVerification();
        } else if (arg == "--ghost" && i + 1 < argc) {
            ghostPath = argv[++i];
        } else if (arg == "--make-demo" && i + 1 < argc) {
            makeDemoPath = argv[++i];
        } else if (arg == "--records" || arg == "--hud") {
            (arg == "--records" ? keepRecords : drawHud) = true;
        } else if (arg == "--autopilot") {
            AutopilotOn = true;
        } else if ((arg == "--data" || arg == "--out" || arg == "--state") && i + 1 < argc) {
            (arg == "--data" ? dataDir : arg == "--out" ? outDir : statePath) = argv[++i];
        } else if ((arg == "--course" || arg == "--record") && i + 1 < argc) {
            (arg == "--course" ? course : recordPath) = argv[++i];
        } else if (scriptPath.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
            scriptPath = arg;
        } else {
            return usage();
        }
    }
    if (AutopilotOn ? (!scriptPath.empty() || Demo.on || !outDir.empty()) : (scriptPath.empty() || !recordPath.empty()))
        return usage();
    if (Demo.on && (!outDir.empty() || !statePath.empty())) return usage();  // nothing is written
    if (verifyingDemo() && (Demo.on || AutopilotOn || !outDir.empty() || !statePath.empty() || !course.empty()))
        return usage();

    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) {
        std::fprintf(stderr, tr("tumblegrade-replay: cannot read the current directory\n"));
        return 2;
    }
    FILE* in = AutopilotOn ? nullptr : scriptPath == "-" ? stdin : std::fopen(scriptPath.c_str(), "r");
    if (!in && !AutopilotOn) {
        std::fprintf(stderr, tr("tumblegrade-replay: cannot open script %s: %s\n"), scriptPath.c_str(),
                     std::strerror(errno));
        return 2;
    }
    std::string error;
    const bool parsed = AutopilotOn || (verifyingDemo() ? readDemoForVerification(in, &Script, &error)
                                                      : parseReplayScript(in, &Script, &error));
    if (in && in != stdin) std::fclose(in);
    if (!parsed) {
        std::fprintf(stderr, "tumblegrade-replay: %s: %s\n", scriptPath.c_str(), error.c_str());
        return 2;
    }

    OutDir = outDir.empty() ? std::string(cwd) : absoluteFrom(cwd, outDir);
    // The snapshot folder is made with its parents, as `mkdir -p` would.
    if (!Demo.on && !verifyingDemo()) makeFolders(OutDir.c_str(), 0777);
    if (!statePath.empty()) {
        StateFile = std::fopen(absoluteFrom(cwd, statePath).c_str(), "w");
        if (!StateFile) {
            std::fprintf(stderr, tr("tumblegrade-replay: cannot write %s: %s\n"), statePath.c_str(),
                         std::strerror(errno));
            return 2;
        }
    }
    std::string scriptText;
    if (!makeDemoPath.empty()) {
        if (AutopilotOn || verifyingDemo() || scriptPath == "-") return usage();
        startDemoMaking(absoluteFrom(cwd, makeDemoPath).c_str());
        readFileText(scriptPath.c_str(), &scriptText, ScriptSizeLimit);
    }
    if (!ghostPath.empty()) {
        if (!loadGhostFile(absoluteFrom(cwd, ghostPath).c_str())) return 2;
        useTopScreens(1);  // none registered: only the overlay that draws the ghost
        addPageOverlayUnder(drawGhost);
    }
    if (chdir(absoluteFrom(cwd, dataDir).c_str()) != 0) {
        std::fprintf(stderr, tr("tumblegrade-replay: cannot enter the data directory %s: %s\n"),
                     dataDir.c_str(), std::strerror(errno));
        return 2;
    }
    char indexError[256];
    if (!readCourseIndex(CourseIndexFile, &Courses, indexError, sizeof indexError)) Courses.count = 0;
    if (!course.empty() && !chooseCourse(course, cwd)) return 2;
    if (verifyingDemo() && !chooseDemoCourse(scriptPath.c_str())) return 2;
    // A clock given at iteration 0 also seeds the game initialisation before the loop.
    for (const ReplayCommand& c : Script.commands)
        if (c.iteration == 0 && c.type == ReplayTime) headlessSetClock(c.value);
    if (AutopilotOn) {
        headlessSetClock(AutopilotClock);
        startAutopilotSession(headlessQueueKey);
        headlessSetIterationHooks(autopilotBegin, autopilotEnd);
    } else {
        headlessSetIterationHooks(beginIteration, endIteration);
    }
    if (keepRecords || drawHud) installReplayClock(keepRecords, drawHud);
    if (drawHud) useTopScreens(1);  // the game alone, but its pages pass the overlays
    if (Demo.on) headlessConvertInto(Demo.converted);

    char programPath[] = "tumblegrade-replay";
    char* gameArgv[] = {programPath, nullptr};
    const int status = gameMain(1, gameArgv);
    if (StateFile) std::fclose(StateFile);
    if (Demo.on) printTimedemo();
    if (verifyingDemo()) return reportDemoVerification();
    if (makingDemo()) return writeMadeDemo(scriptText, course.empty() ? "classic" : course.c_str());
    if (AutopilotOn) {
        const std::string label = courseLabel(course);
        std::printf("course %s outcome %s iterations %d\n", label.c_str(), autopilotSessionOutcome() ? autopilotSessionOutcome() : "none",
                    int(RideClock.iterations));
        if (!recordPath.empty() && !writeRecord(absoluteFrom(cwd, recordPath), label)) {
            std::fprintf(stderr, tr("tumblegrade-replay: cannot write %s\n"), recordPath.c_str());
            return 2;
        }
    }
    return status;
}
