// Finding the game's data wherever the game is started from: the current folder first
// (with VRX_ROOT for the pictures, as always), then TUMBLEGRADE_DATA, the build's data/
// beside the program, the relocatable install folders and the compiled-in one.
#pragma once

constexpr int DataPathSize = 1024;
constexpr int MaxDataPlaces = 6;

enum DataPlaceKind {
    PlaceCurrent = 0,    // the current folder
    PlaceEnvironment,    // $TUMBLEGRADE_DATA
    PlaceBuild,          // <program folder>/data
    PlaceShare,          // <program folder>/../share/tumblegrade
    PlaceShareGames,     // <program folder>/../share/games/tumblegrade
    PlaceCompiledIn,     // the install folder the program was built for
};

struct DataPlace {
    DataPlaceKind kind;
    char path[DataPathSize];  // empty when the place does not exist (TUMBLEGRADE_DATA unset)
};

struct DataSearch {
    int count;
    DataPlace places[MaxDataPlaces];
    int found;  // index into places, or -1
};

// True when the folder holds the course and the start palette.
bool holdsGameData(const char* dir);
// Lists the places for a program at programPath and finds the first that holds the data.
void searchGameData(const char* programPath, DataSearch* search);
// The text shown when nothing was found: every place looked at and how to name one.
void describeFailedSearch(const DataSearch* search, char* text, int size);
// Searches and changes into the place found. Returns false with the message in text.
bool enterGameData(const char* programPath, char* text, int size);
