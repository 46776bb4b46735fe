#include "editor/editor_screen.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "base/game_state.h"
#include "base/scan_codes.h"
#include "editor/autopilot_proof.h"
#include "editor/editor_draw.h"
#include "editor/proof_keeping.h"
#include "editor/test_ride.h"
#include "files/file_read.h"
#include "framework/framework.h"
#include "game/screens.h"
#include "lang/translation.h"
#include "menus/course_list.h"
#include "menus/course_screen.h"
#include "menus/top_screens.h"
#include "platform/platform.h"
#include "records/run_time.h"
#include "track/course_check.h"
#include "track/course_choice.h"
#include "track/course_proof.h"

namespace {

constexpr int PageStep = 10;
// A new course: the banner and a few straight tiles, enough for a run to start and end.
const char NewCourse[] = "z1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\n";

char StartCourse[CoursePathCapacity];  // --edit: the course to open on the first iteration
char StartName[OwnCourseNameCapacity];
int StartOwn = 0;
int StartWanted = 0;

void say(const char* text) { std::snprintf(Editor.message, sizeof Editor.message, "%s", text ? text : ""); }

// The course changed from tile `from` on: written again, laid out again from there, its
// map and checker's word renewed, the view drawn again.
void courseChanged(int from) {
    EditorScreen& e = Editor;
    e.textSize = writeCourseModel(e.edit.model, e.text, sizeof e.text);
    layOutCourse(e.edit.model, from, &e.layout);
    buildCourseMapText(e.text, e.textSize, &e.map);
    firstCourseTextProblem(e.text, e.textSize, e.problem, sizeof e.problem);
    if (e.cursor >= e.edit.model.count) e.cursor = e.edit.model.count - 1;
    if (e.cursor < 0) e.cursor = 0;
    e.viewTile = -1;
    e.failedTile = -1;
    e.provedPar = provedParOf(e.text, e.textSize);
}

void edited(const char* refused) {
    Editor.leaving = 0;
    say(refused);
    if (!refused) courseChanged(Editor.edit.changedFrom);
}

void moveCursor(int to) {
    const int last = Editor.edit.model.count - 1;
    Editor.cursor = to < 0 ? 0 : to > last ? last : to;
}

void readInto(const char* text, int size) {
    EditorScreen& e = Editor;
    const int changed = readCourseModel(text, size, &e.edit.model);
    if (e.edit.model.count == 0) readCourseModel(NewCourse, int(sizeof NewCourse) - 1, &e.edit.model);
    startCourseEdit(&e.edit);
    e.cursor = 0;
    e.choice = 0;
    e.leaving = e.naming = 0;
    e.layout.count = 0;
    courseChanged(0);
    // What is saved is the model's text: a file that was read with changes counts as changed.
    e.savedSize = changed ? -1 : e.textSize;
    if (!changed) std::memcpy(e.savedText, e.text, size_t(e.textSize));
    say(changed ? trPage("lines held to the format, or left out") : "");
}

// ---- saving -------------------------------------------------------------------

void save() {
    EditorScreen& e = Editor;
    char path[CoursePathCapacity];
    if (!saveOwnCourse(e.name, e.text, e.textSize, path, sizeof path)) {
        say(trPage("cannot save: no home folder, or not writable"));
        return;
    }
    std::memcpy(e.savedText, e.text, size_t(e.textSize));
    e.savedSize = e.textSize;
    e.leaving = 0;
    keepProofBeside(path, e.text, e.textSize);
    char line[sizeof e.message];
    if (e.problem[0])
        std::snprintf(line, sizeof line, trPage("saved as a draft: %.24s"), e.name);
    else
        std::snprintf(line, sizeof line, trPage("saved as %.24s%s"), e.name, e.provedPar ? trPage(", proved") : trPage(" (unproved)"));
    say(line);
}

void nameKey(int scanCode) {
    EditorScreen& e = Editor;
    const size_t length = std::strlen(e.typed);
    if (scanCode == ScanEsc) {
        e.naming = 0;
        say(trPage("not saved"));
    } else if (scanCode == ScanBackspace) {
        if (length > 0) e.typed[length - 1] = 0;
    } else if (scanCode == ScanEnter) {
        char why[96];
        if (!ownCourseNameAllowed(e.typed, why, sizeof why)) {
            say(why);
            return;
        }
        std::snprintf(e.name, sizeof e.name, "%s", e.typed);
        e.naming = 0;
        save();
    } else {
        const int c = platformKeyLabel(scanCode);
        const bool allowed = c != 0;
        if (allowed && length + 1 < sizeof e.typed) e.typed[length] = char(c);
    }
}

void startSaving() {
    if (Editor.name[0]) {
        save();
        return;
    }
    Editor.naming = 1;
    Editor.typed[0] = 0;
    say("");
}

// ---- riding, proving and leaving ----------------------------------------------------

// F8: the autopilot rides the course from the game's start; its time is the par.
void proveCourse() {
    EditorScreen& e = Editor;
    if (e.problem[0]) {
        say(trPage("mend the checker's problem before F8"));
        return;
    }
    const AutopilotRide ride = rideAutopilotOn(e.text, e.textSize);
    char line[sizeof e.message];
    if (ride.finished) {
        rememberProof(e.text, e.textSize, ride.par);
        e.provedPar = ride.par;
        char path[CoursePathCapacity];
        if (e.name[0] && !editorHasChanges() && ownCoursePath(e.name, path, sizeof path))
            keepProofBeside(path, e.text, e.textSize);
        char par[24];
        formatRunTime(ride.par, par, sizeof par);
        std::snprintf(line, sizeof line, trPage("proved: the autopilot's par is %s"), par);
    } else {
        moveCursor(ride.tile);
        e.failedTile = e.cursor;
        e.viewTile = -1;
        std::snprintf(line, sizeof line, trPage("not proved: %s on tile %d"), ride.outcome, e.cursor + 1);
    }
    say(line);
}

// F5 from the top, Shift+F5 from the cursor tile.
void testRide(bool fromCursor) {
    const int from = fromCursor ? Editor.cursor : 0;
    // A run ends as the rider enters the fifth tile from the end: it must start before.
    if (fromCursor && from > Editor.edit.model.count - 6) {
        say(trPage("too near the finish to ride from here"));
        return;
    }
    beginTestRide(Editor.text, Editor.textSize, from, eyeEnteringTile(Editor.edit.model, Editor.layout, from));
}

void rideKey(int scanCode) {
    if (scanCode == ScanEsc) {
        moveCursor(endTestRide());
        Editor.viewTile = -1;
        say(trPage("test ride over: the cursor is where you stopped"));
        return;
    }
    InputEvent event{};
    event.type = KeyDown;
    event.message = unsigned(scanCode & 0xFF) << 8;
    onKeyDown(&event);  // the ride's own keys (texturing)
}

void leave() {
    if (editorHasChanges() && !Editor.leaving) {
        Editor.leaving = 1;
        say(trPage("not saved: Esc again leaves, Ctrl+S saves"));
        return;
    }
    closeTopScreen();
}

// Back or forward through the changes.
void stepHistory(bool forward) {
    int cursor = Editor.cursor;
    const bool stepped = forward ? redoCourseEdit(&Editor.edit, &cursor) : undoCourseEdit(&Editor.edit, &cursor);
    if (!stepped) {
        say(forward ? trPage("nothing to redo") : trPage("nothing to undo"));
        return;
    }
    Editor.cursor = cursor;
    edited(nullptr);
}

// Ctrl with the key labelled Z, Y or S on the player's layout.
void controlKey(int scanCode) {
    switch (platformKeyLabel(scanCode)) {
    case 'z': stepHistory(false); break;
    case 'y': stepHistory(true); break;
    case 's': startSaving(); break;
    default: break;
    }
}

// T, B and W: a gate, a tree, a sign board on the left slot of its kind; with Shift on
// the right one.
void objectKey(char letter, int slot, bool shift) {
    edited(toggleTileObject(&Editor.edit, Editor.cursor, slot + (shift ? 1 : 0), letter));
}

void editKey(int scanCode, bool shift) {
    EditorScreen& e = Editor;
    CourseEdit* edit = &e.edit;
    if (scanCode != ScanEsc) say("");
    switch (scanCode) {
    case ScanUp: moveCursor(e.cursor - 1); return;
    case ScanDown: moveCursor(e.cursor + 1); return;
    case ScanPageUp: moveCursor(e.cursor - PageStep); return;
    case ScanPageDown: moveCursor(e.cursor + PageStep); return;
    case ScanHome: moveCursor(0); return;
    case ScanEnd: moveCursor(edit->model.count - 1); return;
    case ScanLeft: e.choice = (e.choice + TilePaletteCount - 1) % TilePaletteCount; return;
    case ScanRight: e.choice = (e.choice + 1) % TilePaletteCount; return;
    case ScanEnter: edited(setTileKind(edit, e.cursor, e.choice)); return;
    case ScanInsert:
        edited(insertTileAfter(edit, e.cursor, e.choice));
        if (!e.message[0]) moveCursor(e.cursor + 1);
        return;
    case ScanDelete: edited(deleteTile(edit, e.cursor)); return;
    case ScanF5: testRide(shift); return;
    case ScanF8: proveCourse(); return;
    case ScanEsc: leave(); return;
    default: break;
    }
    const int c = platformKeyLabel(scanCode);
    if (c >= '0' && c <= '3') edited(setTileSlope(edit, e.cursor, c - '0'));
    if (c == 't') objectKey('t', 0, shift);
    if (c == 'b') objectKey('b', 2, shift);
    if (c == 'w') objectKey('w', 4, shift);
}

void onKey(int scanCode) {
    if (testRideOn()) {
        rideKey(scanCode);
        return;
    }
    if (Editor.naming) {
        nameKey(scanCode);
        return;
    }
    const unsigned modifiers = topScreenKeyModifiers();
    if (scanCode == ScanCtrl || scanCode == ScanLeftShift || scanCode == ScanRightShift || scanCode == ScanAlt) return;
    if (modifiers & TopKeyCtrl) {
        controlKey(scanCode);
        return;
    }
    if (scanCode != ScanEsc) Editor.leaving = 0;
    editKey(scanCode, (modifiers & TopKeyShift) != 0);
}

// Every frame: the test ride as the game draws it, until its run ends.
void drawScreen(DisplayContext* page) {
    if (testRideOn()) {
        drawFrameUnshown();
        if (GameState.racing) return;
        moveCursor(endTestRide());
        Editor.viewTile = -1;
        say(trPage("the run ended: the cursor is where it did"));
    }
    drawEditor(page);
}

void closeScreen() {
    if (testRideOn()) endTestRide();
    closeEditorDrawing();
}

const TopScreen EditorSlots = {nullptr, onKey, drawScreen, closeScreen};

void editFromCourseScreen(const char* path, const char* name, int own) { openCourseEditor(path, name, own); }

bool isFile(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

// The --edit course, once the game is up.
void openStartCourse() {
    if (!StartWanted) return;
    StartWanted = 0;
    openCourseEditor(StartCourse[0] ? StartCourse : nullptr, StartName, StartOwn);
}

}  // namespace

void openCourseEditor(const char* path, const char* name, int own) {
    static char text[CourseTextCapacity];
    int size = 0;
    size_t got = 0;
    const FileRead read = path ? readFileInto(path, text, sizeof text, &got) : FileMissing;
    const bool file = read == FileReadWhole || read == FileTooLarge;  // a longer one: what fits is edited
    if (file) size = int(got);
    if (path && !file) {
        size = 0;
    } else if (!path) {
        size = int(sizeof NewCourse) - 1;
        std::memcpy(text, NewCourse, size_t(size));
    }
    std::snprintf(Editor.name, sizeof Editor.name, "%s", own && name ? name : "");
    readInto(text, size);
    if (own && file) {
        takeProofBeside(path, Editor.text, Editor.textSize);
        Editor.provedPar = provedParOf(Editor.text, Editor.textSize);
    }
    if (!path) Editor.savedSize = -1;  // a new course is a change until saved
    if (path && !file) say(trPage("the file cannot be read: a new course instead"));
    if (path && file && !own) say(trPage("a copy: Ctrl+S asks for a name of your own"));
    openEditorDrawing();
    openTopScreen(TopScreenEditor);
}

int editCourseAtStart(const char* nameOrPath, const char* startFolder, char* error, int errorSize) {
    static CourseList list;
    gatherCourses(&list);
    const int entry = courseEntryNamed(&list, nameOrPath);
    char file[CoursePathCapacity];
    if (nameOrPath[0] == '/')
        std::snprintf(file, sizeof file, "%s", nameOrPath);
    else
        std::snprintf(file, sizeof file, "%s/%s", startFolder, nameOrPath);
    StartOwn = entry >= 0 ? list.entries[entry].own : 0;
    StartName[0] = 0;
    StartCourse[0] = 0;
    if (entry >= 0) {
        std::snprintf(StartCourse, sizeof StartCourse, "%s", list.entries[entry].path);
        std::snprintf(StartName, sizeof StartName, "%s", list.entries[entry].name);
    } else if (isFile(file)) {
        std::snprintf(StartCourse, sizeof StartCourse, "%s", file);
    } else if (ownCourseNameAllowed(nameOrPath, error, errorSize)) {
        std::snprintf(StartName, sizeof StartName, "%s", nameOrPath);  // a new own course of that name
        StartOwn = 1;
    } else {
        return 0;
    }
    StartWanted = 1;
    addIterationObserver(openStartCourse);
    return 1;
}

void installCourseEditor() {
    registerTopScreen(TopScreenEditor, &EditorSlots);
    setCourseEditHook(editFromCourseScreen);
}
