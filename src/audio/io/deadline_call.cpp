#include "audio/io/deadline_call.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>

#include <memory>

namespace plantrek {

namespace {

// Shared by the caller and the work, for whichever of them is the last to need it.
struct CallState {
    QMutex mutex;
    QSemaphore done;
    bool finished = false;
    bool abandoned = false;
};

}  // namespace

bool CallWithDeadline(QObject* context, std::function<void()> work, std::function<void()> undo,
                      int deadlineMs) {
    auto state = std::make_shared<CallState>();
    QMetaObject::invokeMethod(
        context,
        [state, work = std::move(work), undo = std::move(undo)] {
            work();
            QMutexLocker lock(&state->mutex);
            state->finished = true;
            const bool abandoned = state->abandoned;
            lock.unlock();
            if (abandoned) {
                undo();
            }
            state->done.release();
        },
        Qt::QueuedConnection);
    if (state->done.tryAcquire(1, deadlineMs)) {
        return true;
    }
    // The work may have finished between the wait's end and here.
    QMutexLocker lock(&state->mutex);
    state->abandoned = !state->finished;
    return state->finished;
}

}  // namespace plantrek
