#include "xvfb_display.h"

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace korvex::test {

bool XvfbDisplay::Start() {
    int number_pipe[2];
    if (pipe(number_pipe) != 0) {
        return false;
    }
    server_ = fork();
    if (server_ == 0) {
        close(number_pipe[0]);
        const std::string fd = std::to_string(number_pipe[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(number_pipe[1]);
    // The server writes its display number and a newline once it accepts connections.
    std::string number;
    char c = 0;
    while (server_ > 0 && read(number_pipe[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(number_pipe[0]);
    if (number.empty()) {
        return false;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

XvfbDisplay::~XvfbDisplay() {
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
}

} // namespace korvex::test
