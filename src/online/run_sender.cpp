#include "online/run_sender.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "files/file_read.h"

namespace {

constexpr int FirstBackOffSeconds = 2;
constexpr int LastBackOffSeconds = 300;
constexpr size_t CourseFileLimit = 256 * 1024;

struct Sender {
    std::thread thread;
    std::mutex lock;
    std::condition_variable woken;
    std::atomic<int> stop{0};
    std::atomic<int> sent{0};
    int wake = 0;
    std::string server;
};

Sender RunSender;

// A 4xx that no later try can change; 408 and 429 pass with time.
bool refusedForGood(int status) { return status >= 400 && status < 500 && status != 408 && status != 429; }

SendResult resultOf(const ServerAnswer& answer, std::string* reason) {
    if (answer.status >= 200 && answer.status < 300) return SendDone;
    *reason = answer.status ? std::to_string(answer.status) + " " + answerReason(answer) : answer.error;
    return refusedForGood(answer.status) ? SendRefused : SendLater;
}

// The own course before its runs: 200 (the same file) or 201 (new) let the run follow.
SendResult putCourse(const std::string& server, const RiderIdentity& identity, const OutboxEntry& entry,
                     std::string* reason, const std::atomic<int>* stop) {
    std::string file;
    if (readFileText(entry.courseFile.c_str(), &file, CourseFileLimit) != FileReadWhole) {
        *reason = "the course file " + entry.courseFile + " cannot be read";
        return SendLater;
    }
    const std::string path =
        "/api/v1/courses/" + courseHashText(entry.courseHash) + "?name=" + urlQueryValue(entry.courseName);
    const SendResult result = resultOf(serverSend(server, "PUT", path, file, identity, stop), reason);
    if (result == SendRefused) *reason = "the course: " + *reason;
    return result;
}

// Waits for a wake-up, the stop or the time; true when the thread goes on.
bool waitFor(int seconds) {
    std::unique_lock<std::mutex> held(RunSender.lock);
    RunSender.woken.wait_for(held, std::chrono::seconds(seconds), [] { return RunSender.stop || RunSender.wake; });
    RunSender.wake = 0;
    return !RunSender.stop;
}

// Every entry once; false after an error that asks for a later try.
bool sendEveryEntry(const std::string& server, RiderIdentity* identity, int* haveIdentity) {
    for (const std::string& path : outboxEntries()) {
        if (RunSender.stop) return true;
        OutboxEntry entry;
        if (!readOutboxEntry(path, &entry)) continue;
        if (!*haveIdentity && !(*haveIdentity = loadOrMakeIdentity(identity))) return false;
        std::string reason;
        const SendResult result = sendOutboxEntry(server, *identity, entry, &reason, nullptr, &RunSender.stop);
        if (result == SendLater) return false;
        if (result == SendRefused)
            refuseEntry(path, reason);
        else
            dropSentEntry(path), ++RunSender.sent;
    }
    return true;
}

std::string serverNow() {
    std::lock_guard<std::mutex> held(RunSender.lock);
    return RunSender.server;
}

void sendLoop() {
    RiderIdentity identity{};
    int haveIdentity = 0;
    int backOff = 0;
    while (!RunSender.stop) {
        const std::string server = serverNow();
        if (server.empty() || sendEveryEntry(server, &identity, &haveIdentity))
            backOff = 0;
        else
            backOff = backOff ? std::min(backOff * 2, LastBackOffSeconds) : FirstBackOffSeconds;
        // With nothing to retry the thread sleeps until a run is queued (or an hour).
        if (!waitFor(backOff ? backOff : 3600)) break;
    }
}

}  // namespace

SendResult sendOutboxEntry(const std::string& server, const RiderIdentity& identity, const OutboxEntry& entry,
                           std::string* reason, ServerAnswer* answer, const std::atomic<int>* stop) {
    if (!entry.courseFile.empty()) {
        const SendResult course = putCourse(server, identity, entry, reason, stop);
        if (course != SendDone) return course;
    }
    const ServerAnswer run = serverSend(server, "POST", "/api/v1/runs", entry.demo, identity, stop);
    if (answer) *answer = run;
    return resultOf(run, reason);
}

void startRunSender(const std::string& server) {
    if (RunSender.thread.joinable()) {
        {
            std::lock_guard<std::mutex> held(RunSender.lock);
            if (RunSender.server == server) return;
            RunSender.server = server;
        }
        wakeRunSender();
        return;
    }
    if (server.empty()) return;
    RunSender.stop = 0;
    RunSender.wake = 0;
    RunSender.server = server;
    RunSender.thread = std::thread(sendLoop);
}

void wakeRunSender() {
    {
        std::lock_guard<std::mutex> held(RunSender.lock);
        RunSender.wake = 1;
    }
    RunSender.woken.notify_all();
}

void stopRunSender() {
    if (!RunSender.thread.joinable()) return;
    {
        std::lock_guard<std::mutex> held(RunSender.lock);
        RunSender.stop = 1;
    }
    RunSender.woken.notify_all();
    RunSender.thread.join();
}

int runSenderRunning() { return RunSender.thread.joinable() ? 1 : 0; }

int runsSent() { return RunSender.sent; }
