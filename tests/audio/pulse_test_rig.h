#pragma once

// PulseAudio for the tests: the server the test command started (its environment is inherited),
// a private server a test may kill, null sinks of a test's own, and recording a sink's monitor.

#include "child_process.h"
#include "temp_dir.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace korvex::test {

// Sets an environment variable for a scope and puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// A null sink at 48 kHz mono (so what is played reaches its monitor unconverted), loaded into a
// server for the scope: the shared one, or the one `server` names.
class TestSink {
public:
    explicit TestSink(const std::string& name, const std::string& server = {});
    ~TestSink();
    TestSink(const TestSink&) = delete;
    TestSink& operator=(const TestSink&) = delete;

    bool IsLoaded() const { return !module_.empty(); }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::string server_;
    std::string module_;
};

// Records a sink's monitor as 16-bit mono 48 kHz samples, from construction to Stop.
class MonitorRecorder {
public:
    MonitorRecorder(const std::string& sink, const std::string& server = {});
    std::vector<int16_t> Stop();

private:
    TempDir dir_;
    std::unique_ptr<ChildProcess> parec_;
};

// A PulseAudio server of a test's own, on a runtime folder of its own, with one null sink
// (48 kHz mono) as its default: it may be killed without disturbing other tests.
class PrivatePulseServer {
public:
    static constexpr const char* kSink = "korvex_private";

    PrivatePulseServer(); // starts it and waits until it answers
    bool IsReady() const { return ready_; }
    // The address for PULSE_SERVER or --server.
    std::string Address() const;
    // Kills the server at once (SIGKILL), as a crash would end it.
    void Kill();

private:
    TempDir dir_;
    std::unique_ptr<ChildProcess> daemon_;
    bool ready_ = false;
};

// Runs pactl against the shared server, or the one `server` names; its output.
std::string Pactl(const std::string& arguments, const std::string& server = {},
                  int* status = nullptr);

} // namespace korvex::test
