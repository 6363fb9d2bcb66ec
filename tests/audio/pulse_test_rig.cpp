#include "pulse_test_rig.h"

#include "command_output.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace korvex::test {
namespace {

std::string ServerOption(const std::string& server) {
    return server.empty() ? std::string() : " --server=" + server;
}

} // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        old_ = old;
    }
    setenv(name, value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (old_) {
        setenv(name_.c_str(), old_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

std::string Pactl(const std::string& arguments, const std::string& server, int* status) {
    const CommandOutput result =
        RunCommand("pactl" + ServerOption(server) + " " + arguments + " 2>/dev/null");
    if (status != nullptr) {
        *status = result.status;
    }
    return result.output;
}

TestSink::TestSink(const std::string& name, const std::string& server)
    : name_(name), server_(server) {
    int status = 0;
    std::string index =
        Pactl("load-module module-null-sink sink_name=" + name + " rate=48000 channels=1", server,
              &status);
    while (!index.empty() && (index.back() == '\n' || index.back() == ' ')) {
        index.pop_back();
    }
    if (status == 0) {
        module_ = index;
    }
}

TestSink::~TestSink() {
    if (IsLoaded()) {
        Pactl("unload-module " + module_, server_);
    }
}

MonitorRecorder::MonitorRecorder(const std::string& sink, const std::string& server) {
    std::vector<std::string> argv = {"parec",
                                     "--device=" + sink + ".monitor",
                                     "--raw",
                                     "--format=s16le",
                                     "--rate=48000",
                                     "--channels=1",
                                     "--latency-msec=20"};
    if (!server.empty()) {
        argv.push_back("--server=" + server);
    }
    parec_ = std::make_unique<ChildProcess>(argv, std::vector<std::string>{}, dir_ / "monitor.raw");
}

std::vector<int16_t> MonitorRecorder::Stop() {
    parec_->Stop(SIGINT);
    std::ifstream in(dir_ / "monitor.raw", std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    }
    return samples;
}

PrivatePulseServer::PrivatePulseServer() {
    std::filesystem::create_directories(dir_ / "pulse");
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_all);
    const std::string runtime = dir_.path().string();
    daemon_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{
            "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
            "--system=no", "--use-pid-file=no", "--disable-shm=yes",
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + runtime + "/native",
            std::string("--load=module-null-sink rate=48000 channels=1 sink_name=") + kSink},
        std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtime,
                                 "PULSE_RUNTIME_PATH=" + runtime + "/pulse"});
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (daemon_->IsStarted() && std::chrono::steady_clock::now() < give_up) {
        int status = 0;
        Pactl("info", Address(), &status);
        if (status == 0) {
            Pactl(std::string("set-default-sink ") + kSink, Address());
            ready_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string PrivatePulseServer::Address() const {
    return "unix:" + dir_.path().string() + "/native";
}

void PrivatePulseServer::Kill() {
    daemon_->Stop(SIGKILL);
}

} // namespace korvex::test
