// tumblegrade-server's command line.
#pragma once

#include <string>
#include <vector>

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8470;
    std::string database;  // "" until the default is worked out
    std::string dataDir;   // "" until the default is worked out
    int workers = 0;       // 0: as many as cores
    double addressRate = 100, keyRate = 5;
    std::vector<std::string> trustedProxies;
    int help = 0, version = 0;
};

// False with the fault in why.
bool parseServerOptions(int argc, char** argv, ServerOptions* options, std::string* why);
// $XDG_DATA_HOME/tumblegrade-server/board.sqlite (the folder made, mode 0700); "" when
// neither XDG_DATA_HOME nor HOME names a folder.
std::string defaultDatabaseUrl();
extern const char ServerUsage[];
