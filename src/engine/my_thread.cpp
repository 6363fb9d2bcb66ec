#include "engine/my_thread.h"

namespace korvex {

CMyThread::CMyThread(Clock& clock) : thread_(clock) {}

bool CMyThread::Start() {
    return thread_.Start([this] { Run(); });
}

void CMyThread::Stop(int timeout_ms) {
    thread_.Stop(timeout_ms);
}

void CMyThread::SleepWhileRunning(int ms) {
    thread_.SleepWhileRunning(ms);
}

} // namespace korvex
