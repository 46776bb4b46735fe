#include "demo/run_outbox.h"

#include <climits>
#include <cstdlib>

#include "online/outbox.h"
#include "online/run_sender.h"
#include "settings/settings.h"
#include "track/course_choice.h"
#include "track/course_proof.h"

bool queueFinishedRun(const DemoHeader& header, const std::string& text) {
    if (!onlineServerNow()[0] || header.outcome != DemoFinish) return false;
    OutboxEntry entry{header.courseHash, {}, {}, text};
    if (!shippedCourseChosen()) {
        char path[PATH_MAX];
        if (provedCoursePar(chosenCourseFile()) <= 0 || !realpath(chosenCourseFile(), path)) return false;
        entry.courseFile = path;
        entry.courseName = header.course[0] ? header.course : "own course";
    }
    if (!queueRun(entry)) return false;
    wakeRunSender();
    return true;
}
