#include "support/test_support.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "display/display.h"

std::string makeTempDir(const char* tag) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/tg-" + tag + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data())) return "";
    return buffer.data();
}

void writeTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void writeBinaryFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<unsigned char> readBinaryFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

ReplayRun runReplay(const std::string& script, const std::string& dataDir, const std::string& options) {
    ReplayRun run{};
    run.outDir = makeTempDir("replay");
    const std::string scriptPath = run.outDir + "/script.txt";
    const std::string statePath = run.outDir + "/state.jsonl";
    const std::string errPath = run.outDir + "/stderr.txt";
    writeTextFile(scriptPath, script);
    std::string command = std::string("'") + TG_REPLAY_EXE + "' '" + scriptPath + "' --data '" +
                          (dataDir.empty() ? std::string(TG_DATA_DIR) : dataDir) + "' --out '" +
                          run.outDir + "' --state '" + statePath + "' " + options + " 2>'" + errPath + "'";
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.states = readLines(statePath);
    std::ifstream err(errPath);
    std::stringstream text;
    text << err.rdbuf();
    run.errors = text.str();
    return run;
}

namespace {

// Finds the value text of a key, following a dotted path into nested objects.
size_t findValue(const std::string& line, const std::string& key) {
    size_t from = 0;
    std::string rest = key;
    for (;;) {
        const size_t dot = rest.find('.');
        const std::string part = rest.substr(0, dot);
        const size_t at = line.find("\"" + part + "\":", from);
        if (at == std::string::npos) return std::string::npos;
        from = at + part.size() + 3;
        if (dot == std::string::npos) return from;
        rest = rest.substr(dot + 1);
    }
}

}  // namespace

long jsonInt(const std::string& line, const std::string& key) {
    const size_t at = findValue(line, key);
    return at == std::string::npos ? LONG_MIN : std::strtol(line.c_str() + at, nullptr, 10);
}

double jsonNumber(const std::string& line, const std::string& key) {
    const size_t at = findValue(line, key);
    return at == std::string::npos ? -1e30 : std::strtod(line.c_str() + at, nullptr);
}

std::string jsonString(const std::string& line, const std::string& key) {
    const size_t at = findValue(line, key);
    if (at == std::string::npos || line[at] != '"') return "";
    const size_t end = line.find('"', at + 1);
    return line.substr(at + 1, end - at - 1);
}

int snapshotPixel(const std::string& path, int x, int y) {
    const std::vector<unsigned char> bytes = readBinaryFile(path);
    Bitmap* bitmap = decodeBitmap(bytes.data(), long(bytes.size()), 0);
    if (!bitmap) return -1;
    int value = -1;
    if (x >= 0 && y >= 0 && x < bitmap->width && y < bitmap->height)
        value = bitmap->pixels[y * bitmap->bytesPerLine + x];
    unloadBitmap(bitmap);
    return value;
}

int pixelsDifferingFrom(const std::string& snapshot, const std::string& picture) {
    const std::vector<unsigned char> a = readBinaryFile(snapshot);
    const std::vector<unsigned char> b = readBinaryFile(picture);
    Bitmap* page = decodeBitmap(a.data(), long(a.size()), 0);
    Bitmap* pic = decodeBitmap(b.data(), long(b.size()), 0);
    int differing = -1;
    if (page && pic && page->width == pic->width && page->height == pic->height) {
        differing = 0;
        for (int y = 0; y < page->height; ++y)
            for (int x = 0; x < page->width; ++x)
                differing += page->pixels[y * page->bytesPerLine + x] != pic->pixels[y * pic->bytesPerLine + x];
    }
    unloadBitmap(page);
    unloadBitmap(pic);
    return differing;
}

ScopedDir::ScopedDir(const std::string& dir) {
    char cwd[PATH_MAX];
    previous_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
    if (chdir(dir.c_str()) != 0) std::perror("chdir");
}

ScopedDir::~ScopedDir() {
    if (chdir(previous_.c_str()) != 0) std::perror("chdir");
}
