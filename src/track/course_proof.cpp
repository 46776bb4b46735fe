#include "track/course_proof.h"

#include <cstdio>
#include <cstring>

#include "files/file_read.h"
#include "track/course_choice.h"

namespace {

const char ProofWord[] = "tumblegrade-proof 1 ";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

int parseCourseProof(const char* text, int size, CourseProof* proof) {
    const int word = int(sizeof ProofWord) - 1;
    if (!text || size < word + 16 + 2 || size > CourseProofCapacity || std::memcmp(text, ProofWord, size_t(word)) != 0)
        return 0;
    uint64_t hash = 0;
    for (int i = word; i < word + 16; ++i) {
        const int v = hexValue(text[i]);
        if (v < 0) return 0;
        hash = hash << 4 | uint64_t(v);
    }
    int at = word + 16;
    if (text[at++] != ' ') return 0;
    long long par = 0;
    const int digitsFrom = at;
    for (; at < size && text[at] >= '0' && text[at] <= '9' && at - digitsFrom < 9; ++at) par = par * 10 + (text[at] - '0');
    if (at == digitsFrom || par < 1 || par > MaxProofPar) return 0;
    if (at < size && text[at] == '\n') ++at;
    if (at != size) return 0;
    *proof = CourseProof{hash, int(par)};
    return 1;
}

int formatCourseProof(const CourseProof& proof, char* text, int capacity) {
    if (proof.par < 1 || proof.par > MaxProofPar) return 0;
    const int n = std::snprintf(text, size_t(capacity), "%s%016llx %d\n", ProofWord,
                                (unsigned long long)proof.courseHash, proof.par);
    return n > 0 && n < capacity ? n : 0;
}

int courseProofPath(const char* coursePath, char* out, int capacity) {
    const char* slash = std::strrchr(coursePath, '/');
    const char* dot = std::strrchr(coursePath, '.');
    const int stem = int(dot && (!slash || dot > slash + 1) ? dot - coursePath : std::strlen(coursePath));
    const int n = std::snprintf(out, size_t(capacity), "%.*s.proof", stem, coursePath);
    return n > 0 && n < capacity ? 1 : 0;
}

int readCourseProofFile(const char* path, CourseProof* proof) {
    char text[CourseProofCapacity + 1];  // one byte more: a longer file is no proof
    size_t size = 0;
    const FileRead read = readFileInto(path, text, sizeof text, &size);
    if (read == FileMissing || read == FileUnreadable) return -1;
    return parseCourseProof(text, int(size), proof);
}

int provedCoursePar(const char* coursePath) {
    char path[CoursePathCapacity + 8];
    if (!courseProofPath(coursePath, path, sizeof path)) return 0;
    CourseProof proof{};
    int readable = 0;
    if (readCourseProofFile(path, &proof) != 1) return 0;
    const uint64_t hash = courseContentHash(coursePath, &readable);
    return readable && hash == proof.courseHash ? proof.par : 0;
}
