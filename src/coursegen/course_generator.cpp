// Courses are laid out on the grid of 10-unit tiles, always heading +z, +x or -x: the
// course only ever moves on along +z, so it can never come back onto a square it used.
// Along the way the path is centred on the tile edges except inside the two pieces that
// move it off centre: a lane shift ('e' then 'a') and a sharp corner ('e', 'i', 'a').
// A course starts with a banner gate and ends with one and five straights behind it:
// the run ends as the rider enters the fifth tile from the end, just through the gate.
#include "coursegen/course_generator.h"

#include <cstdio>
#include <cstring>

//                       name    curve gap sharp slope jump bend shift objects
const CourseGrade CourseGrades[] = {
    {"green", 14, 4, 0, 0, 1, 4, 6, 6, 30},
    {"blue", 24, 2, 20, 0, 2, 8, 10, 10, 40},
    {"red", 36, 1, 35, 1, 3, 10, 12, 12, 50},
    {"black", 50, 0, 45, 2, 3, 14, 14, 14, 60},
};
const int CourseGradeCount = int(sizeof CourseGrades / sizeof CourseGrades[0]);

const CourseGrade* findCourseGrade(const char* name) {
    for (const CourseGrade& g : CourseGrades)
        if (std::strcmp(g.name, name) == 0) return &g;
    return nullptr;
}

namespace {

// splitmix64: a whole-number generator with the same sequence everywhere.
struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % uint64_t(n)); }
    bool percent(int share) { return below(100) < share; }
    int between(int low, int high) { return low + below(high - low + 1); }
};

// Headings as the variants give them: 1 +z, 2 -x, 0 +x (-z never occurs).
enum Heading { PlusX = 0, PlusZ = 1, MinusX = 2 };

struct Layout {
    Layout(const CourseGrade& g, uint64_t seed) : grade(g), random{seed} {}
    const CourseGrade& grade;
    Random random;
    std::string text;
    int heading = PlusZ;
    int built = 0;
    char lastRun = 'g';   // the latest of the 'g', 'l' and 'r' lines
    int sinceTurn = 0;    // straight tiles since the last turn
    int gateSide = 0;     // the next slalom gate's slot (0 left, 1 right)

    int firstVariant() const { return heading == PlusX ? 4 : heading; }

    void line(char kind, int variant, int slope, const char* objects = "") {
        char buffer[40];
        const int count = int(std::strlen(objects)) / 3;
        if (count > 0)
            std::snprintf(buffer, sizeof buffer, "%c%d %d %d%s\n", kind, variant, slope, count, objects);
        else
            std::snprintf(buffer, sizeof buffer, "%c%d %d 0\n", kind, variant, slope);
        text += buffer;
        ++built;
        if (kind == 'g' || kind == 'l' || kind == 'r') lastRun = kind;
    }

    int slope() { return random.between(grade.minSlope, grade.maxSlope); }

    // Objects beside a first-shape straight: a slalom gate, a tree (only where the tile
    // runs along +z, the one frame a tree is laid out in) or a sign board.
    void objectsFor(char* out, bool treeAllowed) {
        out[0] = 0;
        if (!random.percent(grade.objectShare)) return;
        const int pick = random.below(treeAllowed ? 3 : 2);
        if (pick == 0) {
            std::snprintf(out, 8, " %dt", gateSide);
            gateSide ^= 1;
        } else if (pick == 1) {
            std::snprintf(out, 8, " %dw", random.percent(50) ? 4 : 3);
        } else {
            std::snprintf(out, 8, " %db", random.percent(50) ? 2 : 5);
        }
    }

    void straight(int slope) {
        char objects[8];
        objectsFor(objects, heading == PlusZ);
        line('g', firstVariant(), slope, objects);
        ++sinceTurn;
    }

    void turnTo(int newHeading) { heading = newHeading; sinceTurn = 0; }

    // A quarter turn left (+1) or right (-1); sharp turns go through a corner tile.
    void turn(int way, bool sharp) {
        const int v = firstVariant();
        const int newHeading = (heading + way + 4) % 4;
        const int newFirst = newHeading == PlusX ? 4 : newHeading;
        if (sharp) {
            const int shift = way > 0 ? 4 : 0;  // the second shapes turn left
            line('e', v + shift, slope());
            line('i', v + shift, 0);
            line('a', newFirst + shift, 0);
        } else {
            line(way > 0 ? 'l' : 'r', v, 0);
        }
        turnTo(newHeading);
    }

    // Which ways a turn may go from here: never towards -z, and a curve never follows a
    // curve of its own kind without a straight or the other curve between (it would not
    // be built).
    bool wayAllowed(int way, bool sharp) const {
        const int newHeading = (heading + way + 4) % 4;
        if (newHeading == 3) return false;
        return sharp || lastRun != (way > 0 ? 'l' : 'r');
    }

    void piece(int room) {
        if (sinceTurn >= grade.minGap && random.percent(grade.curveShare)) {
            const bool sharp = room >= 3 && random.percent(grade.sharpShare);
            int way = random.percent(50) ? 1 : -1;
            if (!wayAllowed(way, sharp)) way = -way;
            if (wayAllowed(way, sharp)) return turn(way, sharp);
        }
        const int v = firstVariant();
        const int roll = random.below(100);
        if (roll < grade.jumpShare) {
            line('j', v, 2);
            ++sinceTurn;
        } else if (roll < grade.jumpShare + grade.bendShare) {
            line('s', v + (random.percent(50) ? 4 : 0), slope());
            ++sinceTurn;
        } else if (room >= 2 && roll < grade.jumpShare + grade.bendShare + grade.shiftShare) {
            const int shift = random.percent(50) ? 4 : 0;
            line('e', v + shift, slope());
            line('a', v + shift, slope());
            sinceTurn += 2;
        } else {
            straight(slope());
        }
    }
};

}  // namespace

std::string generateCourse(uint64_t seed, const CourseGrade& grade, int tiles) {
    Layout course(grade, seed * 4 + uint64_t(&grade - CourseGrades));
    char header[48];
    std::snprintf(header, sizeof header, "#gen %llu %s %d\n", (unsigned long long)seed, grade.name, tiles);
    course.text = header;
    course.line('z', 1, 0);
    course.straight(grade.minSlope);
    course.straight(grade.minSlope);
    // The body leaves room for turning back to +z (at most a straight and a curve) and
    // for the finish: a banner gate and five straights.
    const int bodyEnd = tiles - 8;
    while (course.built < bodyEnd) course.piece(bodyEnd - course.built);
    if (course.heading != PlusZ) {
        const int way = course.heading == PlusX ? 1 : -1;
        if (!course.wayAllowed(way, false)) course.straight(course.slope());
        course.turn(way, false);
    }
    while (course.built < tiles - 6) course.straight(course.slope());
    course.line('z', 1, 0);
    course.line('g', 1, 0, " 3w");
    while (course.built < tiles) course.line('g', 1, 0);
    return course.text;
}
