#include "engine/worker_thread.h"

#include <system_error>
#include <utility>

namespace korvex {

WorkerThread::WorkerThread(Clock& clock) : clock_(clock) {}

WorkerThread::~WorkerThread() {
    running_.store(false);
    stop_requested_.Set();
    AwaitEnd();
}

bool WorkerThread::Start(std::function<void()> body) {
    if (thread_.joinable()) {
        if (!ended_.TryWait()) {
            return false;
        }
        thread_.join();
    }
    ended_.Reset();
    stop_requested_.Reset();
    running_.store(true);
    try {
        thread_ = std::thread([this, body = std::move(body)] {
            body();
            running_.store(false);
            ended_.Set();
        });
    } catch (const std::system_error&) {
        running_.store(false);
        return false;
    }
    return true;
}

bool WorkerThread::Stop(std::optional<std::int64_t> timeout_ms) {
    running_.store(false);
    stop_requested_.Set();
    if (!thread_.joinable()) {
        return true;
    }
    if (timeout_ms && !SystemClock().WaitFor(ended_, *timeout_ms)) {
        return false; // abandoned: joined later by AwaitEnd, Start or the destructor
    }
    thread_.join();
    return true;
}

void WorkerThread::AwaitEnd() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void WorkerThread::IdleUntilSet(AutoResetEvent& wake, std::int64_t ms) {
    if (running_.load()) {
        clock_.WaitIdle(wake, ms);
    }
}

void WorkerThread::SleepWhileRunning(std::int64_t ms) {
    const std::int64_t until = clock_.NowMs() + ms;
    for (std::int64_t now = clock_.NowMs(); running_.load() && now < until; now = clock_.NowMs()) {
        clock_.WaitIdle(stop_requested_, until - now);
    }
}

} // namespace korvex
