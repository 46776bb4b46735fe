#include "files/file_read.h"

#include <cerrno>

namespace {

FileRead openFailure() { return errno == ENOENT ? FileMissing : FileUnreadable; }

// Closes the stream keeping the errno of the read.
void closeKeepingErrno(FILE* file) {
    const int error = errno;
    std::fclose(file);
    errno = error;
}

}  // namespace

FileRead readFileInto(const char* path, void* buffer, size_t capacity, size_t* size) {
    *size = 0;
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return openFailure();
    *size = std::fread(buffer, 1, capacity, file);
    FileRead result = FileReadWhole;
    if (std::ferror(file))
        result = FileUnreadable;
    else if (*size == capacity && std::fgetc(file) != EOF)
        result = FileTooLarge;
    closeKeepingErrno(file);
    return result;
}

FileRead readStreamText(FILE* in, std::string* text, size_t limit) {
    text->clear();
    char chunk[8192];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) {
        if (got > limit - text->size()) return FileTooLarge;
        text->append(chunk, got);
    }
    return std::ferror(in) ? FileUnreadable : FileReadWhole;
}

FileRead readFileText(const char* path, std::string* text, size_t limit) {
    text->clear();
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return openFailure();
    const FileRead result = readStreamText(file, text, limit);
    closeKeepingErrno(file);
    return result;
}
