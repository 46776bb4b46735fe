// The proof of an own course, kept beside its file (NAME.proof beside NAME.tbk) so that
// the course's bytes, and so its fingerprint and records, stay as they are: the autopilot
// finished the course with this content hash in par ride iterations. One line:
//   tumblegrade-proof 1 HASH PAR
// HASH the course's content hash in 16 hex digits, PAR a whole number of ride iterations.
#pragma once

#include <cstdint>

constexpr int CourseProofCapacity = 128;  // the longest proof file read
constexpr int MaxProofPar = 10000000;

struct CourseProof {
    uint64_t courseHash;
    int par;
};

// Reads a proof's text; 0 with nothing changed when it is not one.
int parseCourseProof(const char* text, int size, CourseProof* proof);
// The proof's text; returns its length (0 when it does not fit or the par is out of range).
int formatCourseProof(const CourseProof& proof, char* text, int capacity);
// Reads a proof file: 1 with the proof, 0 when the file is no proof, -1 when there is none.
int readCourseProofFile(const char* path, CourseProof* proof);
// The proof file's path beside a course file ("x/a.tbk" -> "x/a.proof"); 0 when too long.
int courseProofPath(const char* coursePath, char* out, int capacity);
// The par of the course file when a proof beside it holds for its content; 0 when the
// course is unproved (no proof, another content, or a proof file that is no proof).
int provedCoursePar(const char* coursePath);
