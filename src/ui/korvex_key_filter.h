#pragma once

#include <QObject>
#include <functional>

namespace korvex {

class CTSChn;

// The keys that mean the same in every window of the program, installed on the application:
// Space pauses or resumes playback whenever a recording is open, and Escape is swallowed, so it
// closes no window or dialog. Every other key goes on as usual. User-interface thread only.
class KorvexKeyFilter final : public QObject {
    Q_OBJECT

public:
    // `channel` gives the open recording's channel, null when none is open; Space then goes on
    // to the focused control.
    explicit KorvexKeyFilter(std::function<CTSChn*()> channel, QObject* parent = nullptr)
        : QObject(parent), channel_(std::move(channel)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<CTSChn*()> channel_;
};

} // namespace korvex
