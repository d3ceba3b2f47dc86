#pragma once

#include <QObject>

#include <functional>

// Work handed to the thread of a device's objects, waited for no longer than a deadline: a sound
// server that stops answering must not freeze the window with it.
namespace plantrek {

// Runs `work` on `context`'s thread and waits at most `deadlineMs` for it. True when it finished
// in time. Otherwise the caller goes on without it: the work still runs to its end on that
// thread, and `undo` runs there right after it.
bool CallWithDeadline(QObject* context, std::function<void()> work, std::function<void()> undo,
                      int deadlineMs);

}  // namespace plantrek
