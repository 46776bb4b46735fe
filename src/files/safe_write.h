// The safe write: the new content goes to <path>.new, created with the file's mode,
// written, flushed to the disk and renamed over <path>; the folder is flushed so that the
// rename reaches the disk too. A kill at any moment leaves the old file or the new one.
#pragma once

#include <cstddef>
#include <sys/types.h>

// The files we keep are the user's own; what the tools make is for sharing.
constexpr mode_t OwnFileMode = 0600;
constexpr mode_t SharedFileMode = 0644;

// 1 when the new content is in place. On a fault the old file is left as it was, the
// new one removed, and errno says why.
int writeFileSafely(const char* path, const void* bytes, size_t size, mode_t mode = OwnFileMode);

// Called once the new file is written and flushed, before the rename (tests stop a
// writer there). Null normally.
extern void (*BeforeSafeRename)();
