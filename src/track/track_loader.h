// Reads the course description "track.tbk": one tile per line in fixed columns, built
// end to end into TrackMeshes and TrackObjects in file order.
#pragma once

// Loads "track.tbk" from the current directory and appends the course in front of
// whatever the track lists still hold; GameState.segmentCount becomes the number of
// segment lines of this load. A missing file ends the program through fatalError.
void loadTrack();

// The same for any file name (the course checker uses it).
void loadTrackFile(const char* fileName);

// Runs of curve lines: of 'l' lines that no 'g' or 'r' line interrupts only the first is
// built, and the same for 'r' lines; '#' lines are comments. Fed the first character of
// every line in file order.
struct CurveRuns {
    int left = 0;
    int right = 0;
    // True when the line that starts with c is not built.
    bool skip(char c);
};

// The decimal number that starts at column of line: leading white space skipped, one
// optional sign, digits up to the first non-digit; 0 without digits or when column lies
// past the end of the line. Values beyond the int range are clamped.
int readTrackNumber(const char* line, int column);

// The character at column of line, or '\0' past its end.
char trackLineChar(const char* line, int column);
