#include "child_process.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace korvex::test {

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& environment,
                           const std::filesystem::path& output) {
    // Everything the child needs is prepared before the fork, which in a threaded process may
    // only be followed by async-signal-safe calls.
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> env;
    for (char** entry = environ; *entry; ++entry) {
        env.push_back(*entry);
    }
    for (const std::string& entry : environment) {
        env.push_back(const_cast<char*>(entry.c_str()));
    }
    env.push_back(nullptr);
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (out < 0 || null < 0) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    close(out);
    close(null);
}

ChildProcess::~ChildProcess() {
    if (IsStarted() && !ended_) {
        Stop(SIGKILL);
    }
}

int ChildProcess::Stop(int signal) {
    if (!IsStarted() || ended_) {
        return -1;
    }
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    ended_ = true;
    return status;
}

} // namespace korvex::test
