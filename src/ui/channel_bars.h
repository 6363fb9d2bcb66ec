#pragma once

#include "playback/ts_chn.h"
#include "ui/time_bars.h"

namespace korvex {

// The time bars' view of the panel's channel: set when a channel opens, cleared (null) when it
// goes. The list is read only after the list-complete message, as the channel requires.
class ChannelBars final : public BarsChannel {
public:
    void SetChannel(CTSChn* channel) { channel_ = channel; }

    const std::vector<RecordingEntry>* Recordings() const override {
        return channel_ != nullptr ? &channel_->RecordingList().Entries() : nullptr;
    }
    std::string PlayingPath() const override {
        return channel_ != nullptr ? channel_->CurrentPath() : std::string();
    }
    int PlayFileAt(std::int64_t time) override {
        return channel_ != nullptr ? channel_->PlayFileAt(time) : 0;
    }

private:
    CTSChn* channel_ = nullptr;
};

} // namespace korvex
