// The program's message sink with worker threads and the user-interface thread's event loop.
#include "app/qt/qt_message_sink.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest/QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <latch>
#include <memory>
#include <thread>
#include <vector>

namespace korvex {
namespace {

// Handles the messages for one target on the user-interface thread and keeps them.
struct Receiver {
    Receiver(QtMessageSink& sink, MessageTarget target) : object(std::make_unique<QObject>()) {
        sink.Connect(target, object.get(), [this](const Message& message) {
            on_ui_thread = on_ui_thread && QThread::currentThread() == qApp->thread();
            seen.push_back(message);
        });
    }
    std::unique_ptr<QObject> object;
    std::vector<Message> seen;
    bool on_ui_thread = true;
};

TEST(QtMessageSink, PostsArriveInOrderPerThreadOnTheUserInterfaceThread) {
    QtMessageSink sink;
    Receiver panel(sink, MessageTarget::kPanel);
    Receiver main_window(sink, MessageTarget::kMainWindow);
    constexpr int kEach = 200;
    {
        std::vector<std::jthread> workers;
        for (int worker = 0; worker < 2; ++worker) {
            workers.emplace_back([&sink, worker] {
                for (int i = 0; i < kEach; ++i) {
                    sink.Post(MessageTarget::kPanel, {kMessagePosition, i, worker});
                    sink.Post(MessageTarget::kMainWindow, {kMessageGpsText, i, worker});
                }
            });
        }
    }
    EXPECT_TRUE(panel.seen.empty()) << "a post never runs the receiver on the sender's thread";
    QCoreApplication::processEvents();
    for (const Receiver* receiver : {&panel, &main_window}) {
        ASSERT_EQ(receiver->seen.size(), 2u * kEach);
        std::vector<int> next(2, 0);
        for (const Message& message : receiver->seen) {
            EXPECT_EQ(message.wparam, next[static_cast<std::size_t>(message.lparam)]++);
        }
        EXPECT_TRUE(receiver->on_ui_thread);
    }
    EXPECT_EQ(main_window.seen.front().id, kMessageGpsText);
}

TEST(QtMessageSink, SendWaitsUntilHandledAfterTheSendersEarlierPosts) {
    QtMessageSink sink;
    Receiver main_window(sink, MessageTarget::kMainWindow);
    std::atomic<int> result{-1};
    std::jthread worker([&](std::stop_token stop) {
        sink.Post(MessageTarget::kMainWindow, {kMessageGpsText, 1, 0});
        result = sink.Send(MessageTarget::kMainWindow, {kMessageNewRoute, 2, 0}, stop) ? 1 : 0;
    });
    QTRY_VERIFY_WITH_TIMEOUT(result != -1, 10000);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(main_window.seen.size(), 2u);
    EXPECT_EQ(main_window.seen[0].id, kMessageGpsText);
    EXPECT_EQ(main_window.seen[1].id, kMessageNewRoute);
}

TEST(QtMessageSink, SendGivesUpOnStopWhileTheUserInterfaceThreadIsBusy) {
    QtMessageSink sink;
    Receiver main_window(sink, MessageTarget::kMainWindow);
    std::stop_source stop;
    std::latch sending(1);
    bool handled = true;
    std::jthread worker([&] {
        sending.count_down();
        handled = sink.Send(MessageTarget::kMainWindow, {kMessageNewRoute, 0, 0}, stop.get_token());
    });
    // The user-interface thread does not look at its queue: as when it is closing the channel.
    sending.wait();
    stop.request_stop();
    worker.join();
    EXPECT_FALSE(handled);
    EXPECT_FALSE(sink.Send(MessageTarget::kMainWindow, {kMessageNewRoute, 0, 0}, stop.get_token()))
        << "a stop requested before the send";
    QCoreApplication::processEvents(); // what was queued may still be handled; nothing else
    EXPECT_LE(main_window.seen.size(), 1u);
}

TEST(QtMessageSink, MessagesForAReceiverThatIsGoneAreDropped) {
    QtMessageSink sink;
    Receiver panel(sink, MessageTarget::kPanel);
    sink.Post(MessageTarget::kPanel, {kMessagePosition, 1, 0});
    panel.object.reset(); // takes the queued post with it
    sink.Post(MessageTarget::kPanel, {kMessagePosition, 2, 0});
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel.seen.empty());

    std::stop_source never;
    EXPECT_FALSE(sink.Send(MessageTarget::kPanel, {kMessagePosition, 3, 0}, never.get_token()));
    EXPECT_FALSE(sink.Send(MessageTarget::kMainWindow, {kMessageNewRoute, 0, 0}, never.get_token()))
        << "a target nobody connected";
}

TEST(QtMessageSink, ASendWaitingForAReceiverThatIsDestroyedEndsWithoutStop) {
    QtMessageSink sink;
    Receiver main_window(sink, MessageTarget::kMainWindow);
    std::latch sending(1);
    std::atomic<int> result{-1};
    std::jthread worker([&](std::stop_token stop) {
        sending.count_down();
        result = sink.Send(MessageTarget::kMainWindow, {kMessageNewRoute, 0, 0}, stop) ? 1 : 0;
    });
    sending.wait();
    main_window.object.reset();
    worker.join(); // would hang if the abandoned send waited for a stop that never comes
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(main_window.seen.empty());
}

} // namespace
} // namespace korvex
