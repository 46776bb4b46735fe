#include "verify_pool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "board_text.h"
#include "verify_worker.h"

extern char** environ;

namespace {

constexpr int CourseCheckSeconds = 300;

struct Worker {
    pid_t pid;
    int toWorker;
    int fromWorker;
    int busy;
};

struct VerifyPool {
    std::mutex lock;
    std::condition_variable freed;
    std::vector<Worker> workers;
    std::string dataDir;
    uint64_t issued, served;  // tickets: requests get workers in the order they came
};

VerifyPool Pool;

// Runs this program with args, its standard input and output given as pipes.
pid_t spawnSelf(const std::vector<std::string>& args, int* toChild, int* fromChild) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0) return -1;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    // The server blocks its end signals in every thread: a child starts without that.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, "/proc/self/exe", &actions, &attributes, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(in[0]);
    close(out[1]);
    if (pid < 0) {
        close(in[1]);
        close(out[0]);
        return -1;
    }
    *toChild = in[1];
    *fromChild = out[0];
    return pid;
}

bool startWorker(Worker* w) {
    *w = Worker{};
    w->pid = spawnSelf({"tumblegrade-server", "--verify-worker", "--data", Pool.dataDir}, &w->toWorker,
                       &w->fromWorker);
    return w->pid > 0;
}

void endWorker(Worker* w) {
    if (w->pid <= 0) return;
    close(w->toWorker);  // its input ends: it leaves
    close(w->fromWorker);
    waitpid(w->pid, nullptr, 0);
    w->pid = 0;
}

Worker* freeWorker() {
    for (Worker& w : Pool.workers)
        if (!w.busy) return &w;
    return nullptr;
}

Worker* takeWorker() {
    std::unique_lock<std::mutex> hold(Pool.lock);
    const uint64_t ticket = Pool.issued++;
    Pool.freed.wait(hold, [ticket] { return ticket == Pool.served && freeWorker() != nullptr; });
    ++Pool.served;
    Worker* w = freeWorker();
    w->busy = 1;
    hold.unlock();
    Pool.freed.notify_all();  // the next ticket may find another worker free
    return w;
}

void giveBack(Worker* w) {
    {
        std::lock_guard<std::mutex> hold(Pool.lock);
        w->busy = 0;
    }
    Pool.freed.notify_all();
}

// A worker that failed is ended and another started in its place.
void replaceWorker(Worker* w) {
    kill(w->pid, SIGKILL);
    endWorker(w);
    if (!startWorker(w)) std::fprintf(stderr, "tumblegrade-server: cannot start a verification worker again\n");
}

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    return bytes;
}

}  // namespace

RideVerdict rideVerdictOf(const std::string& line) {
    RideVerdict v{};
    if (line.rfind("refused ", 0) == 0) {
        v.reason = line.substr(8);
        return v;
    }
    char digest[65] = "";
    int steps = 0, used = 0;
    if (std::sscanf(line.c_str(), "finish %d %64[0-9a-f] %n", &steps, digest, &used) < 2 || std::string(digest).size() != 64) {
        v.reason = "the replay gave no answer";
        return v;
    }
    v.finished = 1;
    v.iterations = steps;
    v.digest = digest;
    v.rider = used > 0 ? fromHex(line.substr(size_t(used))) : "";
    return v;
}

bool startVerifyPool(int count, const std::string& dataDir) {
    Pool.dataDir = dataDir;
    Pool.workers.resize(size_t(count));
    for (Worker& w : Pool.workers)
        if (!startWorker(&w)) return false;
    return true;
}

void stopVerifyPool() {
    std::lock_guard<std::mutex> hold(Pool.lock);
    for (Worker& w : Pool.workers) endWorker(&w);
    Pool.workers.clear();
}

RideVerdict verifyRideInWorker(uint64_t courseHash, const std::string& courseFile, const std::string& demo,
                               int32_t maxRideSteps) {
    Worker* w = takeWorker();
    const std::string request = "ride " + courseHashText(courseHash) + " " + std::to_string(courseFile.size()) + " " +
                                std::to_string(demo.size()) + " " + std::to_string(maxRideSteps) + "\n";
    std::string line;
    const bool answered = w->pid > 0 && writeExactly(w->toWorker, request.data(), request.size()) &&
                          writeExactly(w->toWorker, courseFile.data(), courseFile.size()) &&
                          writeExactly(w->toWorker, demo.data(), demo.size()) &&
                          readLine(w->fromWorker, &line, 1024);
    if (!answered) {
        replaceWorker(w);
        line = "refused the replay of this demo stopped";
    }
    giveBack(w);
    return rideVerdictOf(line);
}

CourseVerdict checkCourseInProcess(const std::string& courseFile, uint64_t hash) {
    CourseVerdict v{};
    char path[] = "/tmp/tumblegrade-course-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0 || !writeExactly(fd, courseFile.data(), courseFile.size())) {
        if (fd >= 0) close(fd);
        v.reason = "the server cannot keep the course for its check";
        return v;
    }
    close(fd);
    int toChild = -1, fromChild = -1;
    const pid_t pid = spawnSelf({"tumblegrade-server", "--check-course", path, courseHashText(hash), "--data", Pool.dataDir}, &toChild,
                                &fromChild);
    std::string answer;
    if (pid > 0) {
        close(toChild);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(CourseCheckSeconds);
        pollfd p{fromChild, POLLIN, 0};
        char buffer[512];
        while (answer.size() < 4096 && std::chrono::steady_clock::now() < until && poll(&p, 1, 1000) >= 0) {
            if (!(p.revents & (POLLIN | POLLHUP))) continue;
            const ssize_t n = read(fromChild, buffer, sizeof buffer);
            if (n <= 0) break;
            answer.append(buffer, size_t(n));
        }
        close(fromChild);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    unlink(path);
    // The answer is the last line: the game may have written before it.
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    answer = answer.substr(answer.rfind('\n') == std::string::npos ? 0 : answer.rfind('\n') + 1);
    int steps = 0;
    if (std::sscanf(answer.c_str(), "finish %d", &steps) == 1 && steps > 0) {
        v.finished = 1;
        v.iterations = steps;
    } else if (answer.rfind("refused ", 0) == 0) {
        v.reason = answer.substr(8);
    } else {
        v.reason = "the course check did not end";
    }
    return v;
}
