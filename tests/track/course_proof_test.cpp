// The proof beside an own course holds only for the content it was made for.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "track/course_choice.h"
#include "track/course_proof.h"

TEST(CourseProof, HoldsForTheCourseItWasMadeForOnly) {
    const std::string folder = makeTempDir("course-proof");
    const std::string course = folder + "/mine.tbk", proofPath = folder + "/mine.proof";
    const std::string text = "z1 0 0\ng1 0 0\n";
    writeTextFile(course, text);
    EXPECT_EQ(provedCoursePar(course.c_str()), 0);  // no proof yet
    char proof[CourseProofCapacity];
    const int length = formatCourseProof(CourseProof{courseTextHash(text.data(), int(text.size())), 1234}, proof,
                                         sizeof proof);
    ASSERT_GT(length, 0);
    writeTextFile(proofPath, std::string(proof, size_t(length)));
    EXPECT_EQ(provedCoursePar(course.c_str()), 1234);
    writeTextFile(course, text + "g1 0 0\n");  // edited since
    EXPECT_EQ(provedCoursePar(course.c_str()), 0);
    writeTextFile(course, text);
    for (const char* damaged : {"tumblegrade-proof 1 0123 5\n", "tumblegrade-proof 1 0123456789abcdef 0\n", ""}) {
        writeTextFile(proofPath, damaged);
        EXPECT_EQ(provedCoursePar(course.c_str()), 0) << damaged;
    }
}
