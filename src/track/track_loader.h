// Reads the course description "track.tbk": one tile per line in fixed columns, built
// end to end into TrackMeshes and TrackObjects in file order.
#pragma once

// Loads the chosen course (course_choice.h; "track.tbk" in the current directory unless
// another file or a course in memory was chosen) and appends the course in front of
// whatever the track lists still hold; GameState.segmentCount becomes the number of
// segment lines of this load. A missing file ends the program through fatalError.
void loadTrack();

// The same for any file name (the course checker uses it).
void loadTrackFile(const char* fileName);
// The same for a course in memory: size bytes of text in the file's format.
void loadTrackText(const char* text, int size);
