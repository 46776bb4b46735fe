// Back to the top of the chosen course: the course read again, the three-segment window
// empty, the eye at the start at rest, the clock not started. The rider's profile and
// the damage table are left as they are; the caller decides about those.
#pragma once

void returnToCourseStart();
