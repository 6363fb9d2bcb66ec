#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace korvex::test {

// A program a test starts and ends itself: only this process, known by its id, is ever
// signalled. Its standard output goes to a file (or nowhere), its standard error nowhere.
class ChildProcess {
public:
    // Starts argv[0], looked up in PATH, with `environment` ("NAME=value") added to the test's.
    ChildProcess(const std::vector<std::string>& argv,
                 const std::vector<std::string>& environment = {},
                 const std::filesystem::path& output = "/dev/null");
    ~ChildProcess(); // kills it if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool IsStarted() const { return pid_ > 0; }

    // Sends `signal` and waits for the end; the exit status as waitpid gives it.
    int Stop(int signal);

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

} // namespace korvex::test
