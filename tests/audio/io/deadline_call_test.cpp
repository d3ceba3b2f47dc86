#include "audio/io/deadline_call.h"

#include <gtest/gtest.h>
#include <QSemaphore>
#include <QThread>

#include <atomic>

namespace plantrek {
namespace {

// A thread with an object on it, as a sound device has; `Block` keeps its loop busy until
// released, as a stuck sound system would.
struct DeviceThread {
    DeviceThread() {
        thread.start();
        context.moveToThread(&thread);
    }
    ~DeviceThread() {
        thread.quit();
        thread.wait();
    }
    void Block() {
        QMetaObject::invokeMethod(
            &context, [this] { release.acquire(); }, Qt::QueuedConnection);
    }
    QThread thread;
    QObject context;
    QSemaphore release;
};

TEST(CallWithDeadline, WaitsForWorkThatFinishesAndGivesUpOnWorkThatDoesNot) {
    DeviceThread device;
    std::atomic<int> worked = 0;
    std::atomic<int> undone = 0;
    const auto work = [&] { ++worked; };
    const auto undo = [&] { ++undone; };
    EXPECT_TRUE(CallWithDeadline(&device.context, work, undo, 5000));
    EXPECT_EQ(worked, 1);

    device.Block();
    EXPECT_FALSE(CallWithDeadline(&device.context, work, undo, 50));
    EXPECT_EQ(worked, 1);
    // Once the thread moves again, the abandoned work runs and is undone.
    device.release.release();
    EXPECT_TRUE(CallWithDeadline(
        &device.context, [] {}, [] {}, 5000));
    EXPECT_EQ(worked, 2);
    EXPECT_EQ(undone, 1);
}

}  // namespace
}  // namespace plantrek
