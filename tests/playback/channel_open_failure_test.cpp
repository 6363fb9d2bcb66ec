// A channel whose threads cannot all start opens nothing and leaves none of them running.
#include "playback/ts_chn.h"
#include "stream/find_file_path.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace korvex {
namespace {

// The user that runs the child, so that the thread limit below is counted for it alone.
constexpr uid_t kNobody = 65534;

// Threads of this process, as the kernel counts them.
int ThreadCount() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Threads:", 0) == 0) {
            return std::stoi(line.substr(8));
        }
    }
    return -1;
}

// Exit codes of the child.
enum Outcome { kRefused = 0, kOpened = 1, kThreadsLeft = 2, kNoLimit = 3 };

// In a child process: allows `more` threads beyond those running, opens a channel on a card
// folder, with a list of its recordings or with a folder scan of its own, and exits with what
// came of it.
[[noreturn]] void OpenWithRoomForThreads(int more, bool listed) {
    // The snapshot writer's thread lives as long as the channel object, so it counts as before.
    CTSChn channel(ChannelPlatform{});
    channel.SetSource("/nonexistent/DCIM/100MEDIA/REC_0001.ts");
    const int before = ThreadCount();
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(before + more);
    // The limit binds only an unprivileged user, and counts every task of that user.
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0 || setrlimit(RLIMIT_NPROC, &limit) != 0) {
        _exit(kNoLimit);
    }
    const CFindFilePath list;
    if (channel.Open(listed ? &list : nullptr)) {
        _exit(kOpened);
    }
    // Counted before the destructor, which would close the channel anyway.
    _exit(ThreadCount() == before ? kRefused : kThreadsLeft);
}

// Open starts the video worker, the audio worker, the folder scan (without a list) and the
// reader, in that order. The scan of a folder that is not there ends at once and gives its
// thread back, so the reader's row comes with a list.
TEST(ChannelOpen, FailsWithoutThreadsLeftWhicheverThreadCannotStart) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "a thread limit of its own needs a child that may change its user";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Row {
        const char* failing;
        int startable;
        bool listed;
    };
    for (const Row& row : {Row{"video worker", 0, false}, Row{"audio worker", 1, false},
                           Row{"folder scan", 2, false}, Row{"reader", 2, true}}) {
        SCOPED_TRACE(row.failing);
        EXPECT_EXIT(OpenWithRoomForThreads(row.startable, row.listed),
                    testing::ExitedWithCode(kRefused), "");
    }
}

} // namespace
} // namespace korvex
