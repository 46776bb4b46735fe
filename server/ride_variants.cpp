#include "ride_variants.h"

#include <cstdio>
#include <sstream>

std::string withFirstPushLater(const std::string& demo, int steps) {
    std::istringstream in(demo);
    std::string line, out;
    bool pushed = false;
    while (std::getline(in, line)) {
        int iteration = 0, value = 0;
        char command[16] = "";
        if (!line.empty() && line[0] != '#' &&
            std::sscanf(line.c_str(), "%d %15s %d", &iteration, command, &value) >= 2) {
            if (!pushed && std::string(command) == "press" && value == 0x48) pushed = true;
            if (pushed) line = std::to_string(iteration + steps) + line.substr(line.find(' '));
        }
        out += line + "\n";
    }
    return out;
}
