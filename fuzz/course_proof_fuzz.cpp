// The proof file beside an own course on any bytes: a proof it accepts formats back to
// the same bytes (line feed included), and reads again as the same proof.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "track/course_proof.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 12) return 0;
    CourseProof proof{1, 1};
    const char* text = reinterpret_cast<const char*>(data);
    if (!parseCourseProof(text, int(size), &proof)) {
        if (proof.courseHash != 1 || proof.par != 1) __builtin_trap();  // a refusal changes nothing
        return 0;
    }
    char again[CourseProofCapacity];
    const int length = formatCourseProof(proof, again, sizeof again);
    if (length == 0) __builtin_trap();
    CourseProof back{};
    if (!parseCourseProof(again, length, &back) || back.courseHash != proof.courseHash || back.par != proof.par)
        __builtin_trap();
    return 0;
}
