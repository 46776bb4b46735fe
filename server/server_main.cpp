// tumblegrade-server: the board server. Every submitted demo is replayed by the server
// itself in worker processes; only a finish it has seen ridden reaches the board.
//   tumblegrade-server [--listen ADDR:PORT] [--database URL] [--data DIR] ...
// The same program is its own verification worker (--verify-worker) and course check
// (--check-course), started by the server.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "api.h"
#include "app/build_info.h"
#include "board_store.h"
#include "lang/translation.h"
#include "board_text.h"
#include "http_front.h"
#include "rate_limit.h"
#include "server_options.h"
#include "shipped_courses.h"
#include "signing.h"
#include "verify_pool.h"
#include "verify_worker.h"

namespace {

constexpr int DatabaseLinks = 16;

bool holdsCourseIndex(const std::string& dir) {
    struct stat info;
    return !dir.empty() && stat((dir + "/courses.idx").c_str(), &info) == 0;
}

// The build's data folder when run from the build, else the installed one.
std::string defaultDataDir() {
    return holdsCourseIndex(TG_DEFAULT_DATA_DIR) ? TG_DEFAULT_DATA_DIR : TG_INSTALL_DATA_PATH;
}

std::string absolute(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[4096];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

// The hidden modes: a worker or a course check, as the server starts them.
int runHelper(int argc, char** argv) {
    const std::string mode = argv[1];
    if (mode == "--verify-worker" && argc == 4) return runVerifyWorker(argv[3]);
    uint64_t hash = 0;
    if (mode == "--check-course" && argc == 6 && parseCourseHash(argv[3], &hash)) return runCourseCheck(argv[2], hash, argv[5]);
    return 2;
}

int fail(const std::string& what) {
    std::fprintf(stderr, "tumblegrade-server: %s\n", what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--verify-worker") == 0 || std::strcmp(argv[1], "--check-course") == 0))
        return runHelper(argc, argv);
    startTranslation(nullptr);
    ServerOptions options;
    std::string why;
    if (!parseServerOptions(argc, argv, &options, &why)) {
        std::fprintf(stderr, "tumblegrade-server: %s\n%s", why.c_str(), tr(ServerUsage));
        return 2;
    }
    if (options.help) return std::fputs(tr(ServerUsage), stdout) < 0;
    if (options.version) return std::printf("tumblegrade-server %s\n", TG_VERSION) < 0;
    if (!startSigning()) return fail(tr("libsodium cannot start"));
    const std::string dataDir = absolute(options.dataDir.empty() ? defaultDataDir() : options.dataDir);
    if (!holdsCourseIndex(dataDir)) return fail(tr("no course index in the data folder ") + dataDir);
    const std::string url = options.database.empty() ? defaultDatabaseUrl() : options.database;
    if (url.empty()) return fail(tr("no database given and neither XDG_DATA_HOME nor HOME is set"));

    // Every thread started from here on leaves SIGTERM and SIGINT to the HTTP front.
    sigset_t ends;
    sigemptyset(&ends);
    sigaddset(&ends, SIGTERM);
    sigaddset(&ends, SIGINT);
    sigaddset(&ends, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &ends, nullptr);
    signal(SIGPIPE, SIG_IGN);

    if (!openBoardStore(url, DatabaseLinks, &why)) return fail("cannot open the database " + url + ": " + why);
    if (!addShippedCourses(dataDir, &why)) return fail(why);
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    if (!startVerifyPool(options.workers > 0 ? options.workers : cores > 0 ? int(cores) : 1, dataDir))
        return fail("cannot start the verification workers");
    setBoardCheckers(BoardCheckers{verifyRideInWorker, checkCourseInProcess});
    setRateLimits(options.addressRate, options.keyRate);
    const bool served = serveHttp(options.host, options.port, options.trustedProxies);
    stopVerifyPool();
    closeBoardStore();
    return served ? 0 : 1;
}
