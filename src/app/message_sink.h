#pragma once

#include <cstdint>
#include <stop_token>

namespace korvex {

// The custom messages by which worker threads reach the user interface. The numbers are the
// system's own (the user-message base 1024 plus an offset); one number means different things
// to different receivers.
inline constexpr int kMessagePosition = 1130;     // to the panel: the reader's position, wparam
                                                  // in thousandths of the recording (0-1000)
inline constexpr int kMessageGpsText = 1131;      // to the main window: a new text is in the
                                                  // shared GPS text buffer
inline constexpr int kMessageScanStarted = 1131;  // to the panel: a folder scan has started
inline constexpr int kMessageNewRoute = 1132;     // to the main window, sent: the reader has
                                                  // carried out a seek, a switch of recording or
                                                  // a change of direction; the map starts a new
                                                  // route
inline constexpr int kMessageListComplete = 1132; // to the panel: the recording list is complete

enum class MessageTarget {
    kPanel,      // the play-control panel
    kMainWindow, // the main window
};

struct Message {
    int id = 0;
    std::int64_t wparam = 0;
    std::int64_t lparam = 0;
};

// Delivers messages from the core's threads to the user-interface thread. The real sink queues
// them into the toolkit's event loop; tests record them.
//
// Which way calls go: a worker calls the sink, the sink calls the receiver on the user-interface
// thread. A receiver never calls back into the worker from its handler, except through the
// worker's own request fields.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // Queues `message` for `target` and returns at once; the receiver handles it later on the
    // user-interface thread. Any thread, the user-interface thread included. Never blocks and
    // never runs the receiver on the calling thread. Messages posted by one thread to one
    // target are handled in the order posted. A message for a receiver that is gone is dropped.
    virtual void Post(MessageTarget target, const Message& message) = 0;

    // Has `target` handle `message` on the user-interface thread and waits until it has: true.
    // Gives up as soon as `stop` is requested, whether the wait has begun or not: false; the
    // message may then be handled later or not at all. This is what lets the user-interface
    // thread stop a worker that is waiting in Send without a deadlock: it requests the stop
    // before it joins the worker. Worker threads only, never the user-interface thread (it
    // would wait for itself). Messages posted before a send by the same thread to the same
    // target are handled before it.
    virtual bool Send(MessageTarget target, const Message& message, std::stop_token stop) = 0;
};

} // namespace korvex
