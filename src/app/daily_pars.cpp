#include "app/daily_pars.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "editor/autopilot_proof.h"
#include "files/file_read.h"
#include "files/safe_write.h"
#include "menus/course_list.h"
#include "track/course_choice.h"
#include "track/course_proof.h"

namespace {

pid_t ProvingChild = 0;  // the child riding the daily courses, 0 when none

bool unproved(const CourseListEntry& e) { return e.daily && e.usable && e.par == 0; }

bool keepProof(const char* coursePath) {
    std::string text;
    if (readFileText(coursePath, &text, 1 << 20) != FileReadWhole) return false;
    const AutopilotRide ride = rideAutopilotOn(text.data(), int(text.size()));
    char proofPath[CoursePathCapacity], proof[CourseProofCapacity];
    const int size = formatCourseProof(CourseProof{courseTextHash(text.data(), int(text.size())), ride.par}, proof,
                                       sizeof proof);
    return ride.finished && size > 0 && courseProofPath(coursePath, proofPath, sizeof proofPath) &&
           writeFileSafely(proofPath, proof, size_t(size), SharedFileMode);
}

}  // namespace

int proveDailyCourses(const CourseList& list) {
    int kept = 0;
    for (int i = 0; i < list.count; ++i)
        if (unproved(list.entries[i]) && keepProof(list.entries[i].path)) ++kept;
    return kept;
}

void proveDailyCoursesAside(const CourseList& list) {
    if (ProvingChild > 0 && waitpid(ProvingChild, nullptr, WNOHANG) == 0) return;  // still riding
    ProvingChild = 0;
    bool wanted = false;
    for (int i = 0; i < list.count; ++i) wanted = wanted || unproved(list.entries[i]);
    if (!wanted) return;
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        proveDailyCourses(list);
        _exit(0);  // never the window program's exit handlers
    }
    if (child > 0) ProvingChild = child;
}
