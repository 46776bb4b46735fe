// Whole-file reads with a size limit: a file larger than the reader allows is refused
// rather than read into memory. errno tells why a file could not be opened or read.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

enum FileRead {
    FileReadWhole = 0,
    FileMissing,      // no such file
    FileUnreadable,   // cannot be opened or read (errno says why)
    FileTooLarge,     // more bytes than the limit
};

// The file's bytes into `buffer`, at most `capacity`; *size is what was read.
FileRead readFileInto(const char* path, void* buffer, size_t capacity, size_t* size);
// The file's bytes into `text`, at most `limit`.
FileRead readFileText(const char* path, std::string* text, size_t limit);
// The rest of an open stream into `text`, at most `limit`.
FileRead readStreamText(FILE* in, std::string* text, size_t limit);
