#include "engine/my_thread.h"

namespace korvex {

CMyThread::CMyThread(Clock& clock) : thread_(clock) {}

bool CMyThread::Start() {
    return thread_.Start([this] { Run(); });
}

void CMyThread::SleepWhileRunning(int ms) {
    thread_.SleepWhileRunning(ms);
}

} // namespace korvex
