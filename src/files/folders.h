// The folders the game keeps its files in, by the XDG base directories, and making them.
//   data:     $XDG_DATA_HOME/tumblegrade     else $HOME/.local/share/tumblegrade
//   config:   $XDG_CONFIG_HOME/tumblegrade   else $HOME/.config/tumblegrade
//   pictures: $XDG_PICTURES_DIR/Tumblegrade  else $HOME/Pictures/Tumblegrade
//   cache:    $XDG_CACHE_HOME/tumblegrade    else $HOME/.cache/tumblegrade
// A variable counts only when it names an absolute path.
#pragma once

#include <cstddef>
#include <sys/types.h>

enum XdgFolder { XdgData = 0, XdgConfig, XdgPictures, XdgCache };

// New folders are the user's own.
constexpr mode_t XdgFolderMode = 0700;

// The game's folder of that kind, with `inside` ("courses", "settings.ini", or "")
// joined to it. Returns 0 when neither variable names a folder or `out` is too small.
int xdgPath(XdgFolder folder, const char* inside, char* out, size_t size);

// mkdir -p: the folder and every missing parent, new ones made with `mode`. 1 when the
// folder is there.
int makeFolders(const char* path, mode_t mode = XdgFolderMode);
