// Shared helpers for the test programs: temporary folders, files, and whole-game runs
// through the replay tool with its state log.
#pragma once

#include <string>
#include <vector>

// A fresh empty folder under the system's temporary directory.
std::string makeTempDir(const char* tag);
void writeTextFile(const std::string& path, const std::string& text);
void writeBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> readBinaryFile(const std::string& path);
std::vector<std::string> readLines(const std::string& path);

// Runs tumblegrade-replay on the script text with the generated data; the state log
// lines and snapshots land in outDir; options are added to its command line. Returns the
// replay's exit status.
struct ReplayRun {
    int status;
    std::string outDir;
    std::vector<std::string> states;  // one JSON object per iteration
    std::string errors;               // what the replay printed on standard error
};
ReplayRun runReplay(const std::string& script, const std::string& dataDir = "", const std::string& options = "");

// Reads a whole-number or string field from one state-log line ("screen", "racing",
// or nested ones with a dotted path such as "profile.balance").
long jsonInt(const std::string& line, const std::string& key);
double jsonNumber(const std::string& line, const std::string& key);
std::string jsonString(const std::string& line, const std::string& key);

// The pixel index at (x, y) of an 8-bit BMP snapshot written by the replay, or -1.
int snapshotPixel(const std::string& path, int x, int y);

// How many pixels of a replay snapshot differ from a picture of the game's data
// (both 640 x 480); -1 when either cannot be read.
int pixelsDifferingFrom(const std::string& snapshot, const std::string& picture);

// RAII: runs a test in a folder and comes back to the previous one.
class ScopedDir {
public:
    explicit ScopedDir(const std::string& dir);
    ~ScopedDir();
private:
    std::string previous_;
};
