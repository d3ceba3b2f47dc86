#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace plantrek::test {

// Spins the event loop until condition holds; false when timeoutMs passed first.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    for (const QDeadlineTimer deadline(timeoutMs); !condition(); QThread::msleep(1)) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace plantrek::test
