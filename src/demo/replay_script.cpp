#include "demo/replay_script.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "files/file_read.h"

namespace {

struct CommandWord {
    const char* word;
    int type;
};

constexpr CommandWord CommandWords[] = {
    {"time", ReplayTime},   {"press", ReplayPress}, {"release", ReplayRelease},
    {"tap", ReplayTap},     {"mode", ReplayMode},   {"close", -1},
    {"snap", ReplaySnap},   {"stop", ReplayStop},
};

constexpr int64_t MaxIteration = 1000000000;

bool parseInteger(const std::string& word, int64_t* value) {
    if (word.empty() || word.size() > 18) return false;
    size_t i = 0;
    if (word[0] == '-' || word[0] == '+') i = 1;
    if (i == word.size()) return false;
    for (size_t k = i; k < word.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(word[k]))) return false;
    *value = std::strtoll(word.c_str(), nullptr, 10);
    return true;
}

bool validSnapName(const std::string& name) {
    if (name.empty() || name.size() > 200 || name == "." || name == "..") return false;
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.'))
            return false;
    return true;
}

bool fail(std::string* error, int line, const std::string& message) {
    *error = "line " + std::to_string(line) + ": " + message;
    return false;
}

// A command's argument (the command's word known); close's names its type.
bool parseArgument(int* type, const std::string& word, int lineNumber, ReplayCommand* out, std::string* error) {
    switch (*type) {
    case ReplayTime:
        if (!parseInteger(word, &out->value) || out->value < 0)
            return fail(error, lineNumber, "time takes whole seconds since the epoch");
        break;
    case ReplayPress:
    case ReplayRelease:
    case ReplayTap:
        if (!parseInteger(word, &out->value) || out->value < 1 || out->value > 255)
            return fail(error, lineNumber, "scan code must be a number from 1 to 255");
        break;
    case -1:
        if (word == "yes") *type = ReplayCloseYes;
        else if (word == "no") *type = ReplayCloseNo;
        else return fail(error, lineNumber, "close takes 'yes' or 'no'");
        break;
    case ReplaySnap:
        if (!validSnapName(word))
            return fail(error, lineNumber, "snapshot name may hold letters, digits, '_', '-' and '.'");
        out->name = word;
        break;
    default:
        break;
    }
    return true;
}

bool parseLine(const std::string& raw, int lineNumber, int previousIteration, ReplayCommand* out,
               bool* isCommand, std::string* error) {
    std::string text = raw.substr(0, raw.find('#'));
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    *isCommand = !words.empty();
    if (words.empty()) return true;
    int64_t iteration = 0;
    if (!parseInteger(words[0], &iteration) || iteration < 0 || iteration > MaxIteration)
        return fail(error, lineNumber, "expected an iteration number, got '" + words[0] + "'");
    if (iteration < previousIteration)
        return fail(error, lineNumber, "iteration " + words[0] + " comes before iteration " +
                                           std::to_string(previousIteration));
    if (words.size() < 2) return fail(error, lineNumber, "missing command after the iteration");
    int type = -2;
    for (const CommandWord& c : CommandWords)
        if (words[1] == c.word) type = c.type;
    if (type == -2) return fail(error, lineNumber, "unknown command '" + words[1] + "'");
    out->iteration = int(iteration);
    out->line = lineNumber;
    out->value = 0;
    const size_t wanted = (type == ReplayMode || type == ReplayStop) ? 2 : 3;
    if (words.size() != wanted)
        return fail(error, lineNumber, "'" + words[1] + "' takes " +
                                           (wanted == 2 ? "no argument" : "one argument"));
    if (wanted == 3 && !parseArgument(&type, words[2], lineNumber, out, error)) return false;
    out->type = type;
    return true;
}

}  // namespace

bool parseReplayText(const std::string& text, ReplayScript* script, std::string* error) {
    script->commands.clear();
    script->lastIteration = -1;
    std::istringstream in(text);
    int lineNumber = 0;
    int previous = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ReplayCommand command{};
        bool isCommand = false;
        if (!parseLine(line, lineNumber, previous, &command, &isCommand, error)) return false;
        if (!isCommand) continue;
        previous = command.iteration;
        script->lastIteration = command.iteration;
        script->commands.push_back(command);
    }
    return true;
}

bool parseReplayScript(FILE* in, ReplayScript* script, std::string* error) {
    std::string text;
    const FileRead read = readStreamText(in, &text, ScriptSizeLimit);
    if (read != FileReadWhole) {
        *error = read == FileTooLarge ? std::string("too large for a script")
                                      : std::string("cannot read the script: ") + std::strerror(errno);
        return false;
    }
    return parseReplayText(text, script, error);
}
