#include "app/cli/listen_command.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>

#include <cmath>

#include "app/cli/document_session.h"
#include "app/cli/option_arguments.h"
#include "app/cli/run_command.h"
#include "document/files/site_file.h"
#include "document/measurement_router.h"

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace plantrek::cli {

namespace {

// COM numbers have at most four digits.
constexpr int kMaxComPort = 9999;
// A day: longer is surely a typing error, and the milliseconds stay well inside an int.
constexpr double kMaxIdleSeconds = 24 * 60 * 60;

bool ParseComPort(const QString& name, const QString& value, int* comPort, QString* error) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 1 || number > kMaxComPort) {
        *error = QStringLiteral("%1 takes a COM port number from 1 to %2, not \"%3\"")
                     .arg(name)
                     .arg(kMaxComPort)
                     .arg(value);
        return false;
    }
    *comPort = number;
    return true;
}

bool ParseIdle(const QString& value, int* idleMs, QString* error) {
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    // Below a millisecond the wait would round to nothing and end the listening at once.
    if (!ok || !std::isfinite(seconds) || seconds < 0.001 || seconds > kMaxIdleSeconds) {
        *error = QStringLiteral("--idle takes a number of seconds from 0.001 to %1, not \"%2\"")
                     .arg(kMaxIdleSeconds)
                     .arg(value);
        return false;
    }
    *idleMs = static_cast<int>(std::lround(seconds * 1000.0));
    return true;
}

QString NumberText(double value) {
    // The shortest text that reads back to the same number, with "." whatever the locale.
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

#ifdef Q_OS_UNIX
// Ctrl+C or a polite kill while listening ends the listening as the idle time would, so that
// what was measured is still saved. The handler only writes to a pipe; the event loop reads it.
class StopRequests {
public:
    StopRequests() {
        if (::pipe(pipe_) != 0) {
            pipe_[0] = pipe_[1] = -1;
            return;
        }
        for (int fd : pipe_) {
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        }
        writeEnd_ = pipe_[1];
        struct sigaction action {};
        action.sa_handler = &StopRequests::Handle;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        installedInt_ = Install(SIGINT, action, &previousInt_);
        installedTerm_ = Install(SIGTERM, action, &previousTerm_);
        notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    }

    ~StopRequests() {
        if (installedInt_) {
            ::sigaction(SIGINT, &previousInt_, nullptr);
        }
        if (installedTerm_) {
            ::sigaction(SIGTERM, &previousTerm_, nullptr);
        }
        notifier_.reset();
        writeEnd_ = -1;
        for (int fd : pipe_) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }

    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    // Null when no pipe could be made; the signals then keep their usual effect.
    QSocketNotifier* Notifier() const { return notifier_.get(); }

private:
    // A signal that was ignored when the tool started (as for a job started in the background)
    // stays ignored.
    static bool Install(int number, const struct sigaction& action, struct sigaction* previous) {
        if (::sigaction(number, &action, previous) != 0) {
            return false;
        }
        if (previous->sa_handler == SIG_IGN) {
            ::sigaction(number, previous, nullptr);
            return false;
        }
        return true;
    }

    static void Handle(int) {
        const int savedErrno = errno;
        const int fd = writeEnd_;
        if (fd >= 0) {
            const char byte = 1;
            [[maybe_unused]] const ssize_t put = ::write(fd, &byte, 1);
        }
        errno = savedErrno;
    }

    static inline volatile sig_atomic_t writeEnd_ = -1;
    int pipe_[2] = {-1, -1};
    bool installedInt_ = false;
    bool installedTerm_ = false;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
    std::unique_ptr<QSocketNotifier> notifier_;
};
#endif

}  // namespace

std::optional<ListenOptions> ParseListenOptions(const QStringList& arguments, QString* error) {
    ListenOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        error->clear();
        if (TakeOption(arguments, i, QStringLiteral("--in"), &options.inPath, error) ||
            TakeOption(arguments, i, QStringLiteral("--out"), &options.outPath, error)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
        } else if (TakeOption(arguments, i, QStringLiteral("--first"), &value, error)) {
            if (!error->isEmpty() ||
                !ParseComPort(QStringLiteral("--first"), value, &options.firstComPort, error)) {
                return std::nullopt;
            }
        } else if (TakeOption(arguments, i, QStringLiteral("--last"), &value, error)) {
            if (!error->isEmpty() ||
                !ParseComPort(QStringLiteral("--last"), value, &options.lastComPort, error)) {
                return std::nullopt;
            }
        } else if (TakeOption(arguments, i, QStringLiteral("--idle"), &value, error)) {
            if (!error->isEmpty() || !ParseIdle(value, &options.idleMs, error)) {
                return std::nullopt;
            }
        } else if (argument.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("unknown option \"%1\"").arg(argument);
            return std::nullopt;
        } else {
            *error = QStringLiteral("unexpected argument \"%1\" (sites go with --in and --out)")
                         .arg(argument);
            return std::nullopt;
        }
    }
    return options;
}

int RunListen(const ListenOptions& options, QTextStream& out, QTextStream& err) {
    // Questions are answered as run answers them by default: the site is saved.
    DocumentSession session(err, true);
    if (!session.Start(options.inPath)) {
        return kExitFileFailed;
    }

    DistoLink link;
    const auto progress = [&err](const QString& text) {
        err << text << '\n';
        err.flush();
    };
    const int comPort = link.search(options.firstComPort, options.lastComPort, progress);
    if (comPort < 0 || !link.connect()) {
        session.Prompts().ShowMessage(kNoDistoMessage, MessageIcon::Warning);
        return kExitNoMeter;
    }
    err << "Listening to the Disto on COM" << comPort << ".\n";
    err.flush();

    CTracepadDoc& doc = session.Doc();
    // Every reading that changed the site is in the --out file before it is printed, so that a
    // listener killed at any moment loses none of them. The file is replaced whole, never torn;
    // the question about rooms that are not closed waits for the save at the end.
    bool keptLast = true;
    const auto keep = [&] {
        if (options.outPath.isEmpty()) {
            return;
        }
        const SiteFileResult result = SaveSiteFile(*doc.GetSite(), options.outPath);
        // A failing disk is reported once, not at every reading, until a write succeeds again.
        if (!result.ok && keptLast) {
            session.Prompts().ShowMessage(SaveFailureText(options.outPath, result),
                                          MessageIcon::Warning);
        }
        keptLast = result.ok;
    };
    MeasurementRouter router([&doc] { return &doc; });
    QObject::connect(&link, &DistoLink::measurement, &router, &MeasurementRouter::OnMeasurement);
    QObject::connect(&link, &DistoLink::enterPressed, &router, &MeasurementRouter::OnEnter);
    QObject::connect(&link, &DistoLink::undoPressed, &router, &MeasurementRouter::OnUndo);
    QObject::connect(&router, &MeasurementRouter::measurementApplied,
                     [&out, &keep](double length, double bearing) {
                         keep();
                         out << "measurement " << NumberText(length) << ' ' << NumberText(bearing)
                             << '\n';
                         out.flush();
                     });
    QObject::connect(&router, &MeasurementRouter::enterApplied, [&out, &keep] {
        keep();
        out << "enter\n";
        out.flush();
    });
    QObject::connect(&router, &MeasurementRouter::undoApplied, [&out, &keep] {
        keep();
        out << "undo\n";
        out.flush();
    });

    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(options.idleMs);
    QObject::connect(&idle, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&link, &DistoLink::activity, &idle, qOverload<>(&QTimer::start));
    QObject::connect(&link, &DistoLink::connectionLost, &loop, &QEventLoop::quit);
#ifdef Q_OS_UNIX
    StopRequests stopRequests;
    if (stopRequests.Notifier() != nullptr) {
        QObject::connect(stopRequests.Notifier(), &QSocketNotifier::activated, &loop,
                         &QEventLoop::quit);
    }
#endif
    idle.start();
    loop.exec();

    link.closePort();
    // What the meter sent before the port closed is still on its way; it counts.
    QCoreApplication::processEvents();
    out.flush();

    return session.SaveAs(options.outPath) ? kExitOk : kExitFileFailed;
}

int ListenCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString error;
    const auto options = ParseListenOptions(arguments, &error);
    if (!options) {
        err << "plantrek-cli: " << error << '\n';
        return kExitUsage;
    }
    return RunListen(*options, out, err);
}

}  // namespace plantrek::cli
