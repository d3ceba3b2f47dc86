#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

#include "device/disto_link.h"

// "plantrek-cli listen": finds the Disto meter, applies what it sends to a site document as the
// main window does, writes the site after every reading that changed it, and saves the result
// when the meter falls silent or goes away.
namespace plantrek::cli {

// Nothing answered on the ports searched, or the port found would not open.
inline constexpr int kExitNoMeter = 1;

struct ListenOptions {
    QString inPath;   // --in: open this site instead of starting a new one
    QString outPath;  // --out: write the site here after every reading and save it at the end
    int firstComPort = DistoLink::kFirstComPort;  // --first
    int lastComPort = DistoLink::kLastComPort;    // --last
    int idleMs = 10 * 1000;                       // --idle, in seconds on the command line
};

// Reads the arguments that follow "listen"; on failure the reason goes to error.
std::optional<ListenOptions> ParseListenOptions(const QStringList& arguments, QString* error);

// Exit status: 0 done, 1 no meter was found or the site did not open or save.
int RunListen(const ListenOptions& options, QTextStream& out, QTextStream& err);

// Parses and runs, for main; 2 for bad arguments.
int ListenCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace plantrek::cli
