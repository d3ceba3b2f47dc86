// plantrek-cli: the command-line front end. It runs scripts of typed walls and commands on a
// site document, exactly as the window's input line and menus would, and inspects site files.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QTextStream>

#include "app/cli/cli_options.h"
#include "app/cli/document_session.h"
#include "app/cli/export_command.h"
#include "app/cli/thumbnail_command.h"
#include "app/cli/info_json.h"
#include "app/cli/listen_command.h"
#include "app/cli/notes_command.h"
#include "app/cli/run_command.h"
#include "app/cli/script_commands.h"
#include "resources/version.h"

namespace {

QString Usage() {
    return QStringLiteral(
               "Usage:\n"
               "  plantrek-cli run [--in SITE.tcd] [--out SITE.tcd] [--units feet|meters]\n"
               "                   [--style azimuth|quadrant] [--answer yes|no] [--strict]\n"
               "                   [--persist] SCRIPT        (SCRIPT \"-\" reads standard input)\n"
               "  plantrek-cli info SITE.tcd     the same as run --in SITE.tcd on the script "
               "\":info\"\n"
               "  plantrek-cli export SITE.tcd OUTPUT.{dxf,xls,csv,txt,bmp,gif,jpg,png,svg,pdf}\n"
               "                   [--units feet|meters] [--select-room NAME] [--scale 1:N]\n"
               "                   [--wall-lengths] [--page A4|A3|Letter|...]\n"
               "                   [--landscape|--portrait] [--schedule] [--level NAME]\n"
               "                                 the export File > Export... writes for that name;\n"
               "                                 --schedule: the room schedule (.xls, .csv, .txt)\n"
               "                                 --level: that level only, else every level\n"
               "  plantrek-cli thumbnail SITE.tcd OUT.png SIZE\n"
               "                                 the plan, no side longer than SIZE pixels\n"
               "  plantrek-cli listen [--in SITE.tcd] [--out SITE.tcd] [--first N] [--last N]\n"
               "                   [--idle SECONDS]\n"
               "                                 finds the Disto on COM N (1..20) and applies\n"
               "                                 its readings until it is silent for SECONDS\n"
               "                                 (10); status 1 when no meter answers; --out\n"
               "                                 is rewritten after every reading, so none is\n"
               "                                 lost if listen is killed\n"
               "  plantrek-cli notes SITE.tcd [OUTDIR]\n"
               "                                 lists the spoken notes: owner, number,\n"
               "                                 name or \"Track N\", seconds; with OUTDIR\n"
               "                                 writes each there as \"OWNER - NAME.wav\"\n"
               "                                 (PCM, 8000 Hz, mono, 16-bit)\n"
               "  plantrek-cli help | --help     print this text\n"
               "  plantrek-cli version | --version\n"
               "\n"
               "Script lines: \"#\" starts a comment, \":\" a command; any other line (the empty\n"
               "one too) is typed on the input line and entered. Commands:\n") +
           plantrek::cli::ScriptInterpreter::CommandSummary() +
           QStringLiteral(
               "\n:note-site and :note-room attach a PCM WAV file (mono or stereo, 8000 to\n"
               "48000 Hz, 8 or 16 bit) as a spoken note, converted to 8000 Hz mono GSM 6.10.\n"
               "\nMessages go to standard error as \"error: TEXT\", \"warning: TEXT\",\n"
               "\"information: TEXT\" and \"question: TEXT -> yes|no\". Exit status: 0 done,\n"
               "1 a site did not open or save, a WAV file was refused or an export failed,\n"
               "2 bad arguments or script line, 3 --strict stopped at an error or warning.\n");
}

// Qt looks for a desktop sandbox while it starts and says so when the session has no runtime
// folder. A tool that opens no window needs none, and the notice would read as its own message.
QtMessageHandler previousMessageHandler = nullptr;

void DropRuntimeFolderNotices(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: "))) {
        return;
    }
    if (previousMessageHandler != nullptr) {
        previousMessageHandler(type, context, message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Qt takes the options it knows (-style, -platform, -reverse, ...) out of the arguments it
    // is given, so the tool's own arguments are copied first and Qt sees only the program name:
    // "--style quadrant" is ours, and a stray "-platform xcb" is a bad argument, not a plugin.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    // Pictures need a GUI application to draw text; the tool never opens a window, so it draws
    // off screen unless told otherwise, the same on a desktop, over ssh and on a build server.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    previousMessageHandler = qInstallMessageHandler(DropRuntimeFolderNotices);
    QGuiApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(previousMessageHandler);
    QCoreApplication::setOrganizationName("Corvane Software");
    QCoreApplication::setApplicationName("Plantrek");
    QCoreApplication::setApplicationVersion(plantrek::VersionText());

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        err << Usage();
        return plantrek::cli::kExitUsage;
    }
    if (args.first() == "help" || args.first() == "--help" || args.first() == "-h") {
        out << Usage();
        return 0;
    }
    const QString& command = args.first();
    if (command == "version" || command == "--version") {
        out << "plantrek-cli " << plantrek::VersionText() << "\n";
        return 0;
    }
    if (command == "run") {
        QString error;
        const auto options = plantrek::cli::ParseRunOptions(args.mid(1), &error);
        if (!options) {
            err << "plantrek-cli: " << error << "\n";
            return plantrek::cli::kExitUsage;
        }
        return plantrek::cli::RunScript(*options, out, err);
    }
    if (command == "info") {
        if (args.size() != 2) {
            err << "plantrek-cli: info takes one site file\n";
            return plantrek::cli::kExitUsage;
        }
        // What "run --in SITE.tcd" prints for ":info", written as it is produced: a large
        // site's description need not stand whole in memory.
        plantrek::cli::DocumentSession session(err, true);
        if (!session.Start(args[1])) {
            return plantrek::cli::kExitFileFailed;
        }
        plantrek::cli::WriteDocumentInfoJson(session.Doc(), out);
        out << '\n';
        out.flush();
        return plantrek::cli::kExitOk;
    }
    if (command == "export") {
        return plantrek::cli::ExportCommand(args.mid(1), err);
    }
    if (command == "thumbnail") {
        return plantrek::cli::ThumbnailCommand(args.mid(1), err);
    }
    if (command == "notes") {
        return plantrek::cli::NotesCommand(args.mid(1), out, err);
    }
    if (command == "listen") {
        return plantrek::cli::ListenCommand(args.mid(1), out, err);
    }
    err << "plantrek-cli: unknown command \"" << command << "\"\n\n" << Usage();
    return plantrek::cli::kExitUsage;
}
