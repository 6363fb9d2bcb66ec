#include "audio/sound_device.h"

#include "audio/sound_driver.h"
#include "audio/sound_loop.h"
#include "engine/clock.h"

namespace korvex {

SoundDevice::SoundDevice(SoundDriver& driver, Clock& clock) : driver_(driver), clock_(clock) {}

SoundDevice::~SoundDevice() {
    Close();
}

bool SoundDevice::Open() {
    if (loop_) {
        return true;
    }
    notification_.Reset();
    auto loop = std::make_unique<SoundLoop>(notification_);
    if (!driver_.Open(*loop)) {
        driver_.Close();
        return false;
    }
    loop_ = std::move(loop);
    return true;
}

void SoundDevice::Close() {
    if (!loop_) {
        return;
    }
    loop_->CancelWaits();
    driver_.Close();
    loop_.reset();
}

bool SoundDevice::IsLost() const {
    return loop_ && driver_.IsLost();
}

std::span<std::uint8_t> SoundDevice::LockBlock(int offset) {
    return loop_->StageBlock(offset);
}

void SoundDevice::UnlockBlock() {
    loop_->CommitBlock();
}

int SoundDevice::PlayCursor() const {
    return loop_->PlayCursor();
}

bool SoundDevice::Play() {
    loop_->Rewind();
    return driver_.Start();
}

bool SoundDevice::WaitForNotification(std::int64_t timeout_ms) {
    loop_->Acknowledge();
    return clock_.WaitFor(notification_, timeout_ms);
}

void SoundDevice::Wake() {
    notification_.Set();
}

} // namespace korvex
