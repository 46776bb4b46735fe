#include "server_options.h"

#include <sys/stat.h>

#include <cstdlib>

#include "board_text.h"
#include "lang/translation.h"

const char ServerUsage[] = N_(
    "usage: tumblegrade-server [--listen ADDR:PORT] [--database URL] [--data DIR]\n"
    "                          [--workers N] [--trust-proxy ADDR]... [--rate N] [--key-rate N]\n"
    "  --listen ADDR:PORT   where to listen (127.0.0.1:8470)\n"
    "  --database URL       sqlite:PATH (default $XDG_DATA_HOME/tumblegrade-server/board.sqlite)\n"
    "                       or postgresql://USER@HOST/NAME\n"
    "  --data DIR           the game's data folder: the shipped courses and their index\n"
    "  --workers N          verification processes (as many as cores)\n"
    "  --trust-proxy ADDR   a reverse proxy whose X-Forwarded-For names the client\n"
    "  --rate N             requests a second from one address (100; 0: no limit)\n"
    "  --key-rate N         submissions a second from one key (5; 0: no limit)\n"
    "  --help, --version\n");

namespace {

bool parseListen(const std::string& text, ServerOptions* o) {
    const size_t colon = text.rfind(':');
    long port = 0;
    if (colon == std::string::npos || colon == 0 || !parseBoundedInt(text.substr(colon + 1), 0, 65535, &port))
        return false;
    o->host = text.substr(0, colon);
    if (o->host.size() > 2 && o->host.front() == '[' && o->host.back() == ']') o->host = o->host.substr(1, o->host.size() - 2);
    o->port = int(port);
    return true;
}

bool parseRate(const std::string& text, double* rate) {
    long value = 0;
    if (!parseBoundedInt(text, 0, 100000000, &value)) return false;
    *rate = double(value);
    return true;
}

}  // namespace

bool parseServerOptions(int argc, char** argv, ServerOptions* o, std::string* why) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string value = hasValue ? argv[i + 1] : "";
        long workers = 0;
        if (arg == "--help") {
            o->help = 1;
        } else if (arg == "--version") {
            o->version = 1;
        } else if (arg == "--listen" && hasValue) {
            if (!parseListen(value, o)) {
                *why = "--listen takes ADDR:PORT, not " + value;
                return false;
            }
            ++i;
        } else if ((arg == "--database" || arg == "--data") && hasValue) {
            (arg == "--data" ? o->dataDir : o->database) = value;
            ++i;
        } else if (arg == "--workers" && hasValue) {
            if (!parseBoundedInt(value, 1, 256, &workers)) {
                *why = "--workers takes 1 to 256";
                return false;
            }
            o->workers = int(workers);
            ++i;
        } else if (arg == "--trust-proxy" && hasValue) {
            o->trustedProxies.push_back(value);
            ++i;
        } else if ((arg == "--rate" || arg == "--key-rate") && hasValue) {
            if (!parseRate(value, arg == "--rate" ? &o->addressRate : &o->keyRate)) {
                *why = arg + " takes a whole number of requests a second";
                return false;
            }
            ++i;
        } else {
            *why = "unknown or incomplete option " + arg;
            return false;
        }
    }
    return true;
}

std::string defaultDatabaseUrl() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::string folder;
    if (data && data[0] == '/') folder = data;
    else if (home && home[0] == '/') folder = std::string(home) + "/.local/share";
    else return "";
    folder += "/tumblegrade-server";
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        mkdir(folder.substr(0, slash).c_str(), 0700);  // as mkdir -p
        if (slash == std::string::npos) break;
    }
    return "sqlite:" + folder + "/board.sqlite";
}
