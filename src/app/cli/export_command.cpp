#include "app/cli/export_command.h"

#include "app/cli/document_session.h"
#include "app/cli/run_command.h"
#include "export/export_command.h"

namespace plantrek::cli {

namespace {

// "--name value" or "--name=value"; false for any other argument.
bool TakeOption(const QStringList& arguments, qsizetype& i, const QString& name, QString* value,
                QString* error, bool* failed) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + QLatin1Char('='))) {
        *value = argument.mid(name.size() + 1);
        return true;
    }
    if (argument != name) {
        return false;
    }
    if (i + 1 >= arguments.size()) {
        *error = QStringLiteral("%1 needs a value").arg(name);
        *failed = true;
        return true;
    }
    *value = arguments[++i];
    return true;
}

}  // namespace

std::optional<ExportOptions> ParseExportOptions(const QStringList& arguments, QString* error) {
    ExportOptions options;
    QStringList files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        bool failed = false;
        if (TakeOption(arguments, i, QStringLiteral("--units"), &value, error, &failed)) {
            if (failed) {
                return std::nullopt;
            }
            if (value == QLatin1String("meters")) {
                options.units = 1;
            } else if (value == QLatin1String("feet")) {
                options.units = 0;
            } else {
                *error = QStringLiteral("--units takes feet or meters, not \"%1\"").arg(value);
                return std::nullopt;
            }
        } else if (TakeOption(arguments, i, QStringLiteral("--select-room"), &value, error,
                              &failed)) {
            if (failed) {
                return std::nullopt;
            }
            options.selectRoom = value;
        } else if (argument.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("unknown option \"%1\"").arg(argument);
            return std::nullopt;
        } else {
            files.append(argument);
        }
    }
    // An empty site name would start a new document instead of opening one.
    if (files.size() != 2 || files[0].isEmpty()) {
        *error = QStringLiteral("export takes a site file and an output file");
        return std::nullopt;
    }
    options.sitePath = files[0];
    options.outputPath = files[1];
    return options;
}

int RunExport(const ExportOptions& options, QTextStream& err) {
    DocumentSession session(err, true);
    if (!session.Start(options.sitePath, options.units)) {
        return kExitFileFailed;
    }
    CTracepadDoc& doc = session.Doc();
    if (options.selectRoom) {
        Room* room = doc.GetSite()->FindRoomByName(*options.selectRoom);
        if (room == nullptr) {
            err << "plantrek-cli: there is no room named \"" << *options.selectRoom << "\"\n";
            return kExitUsage;
        }
        doc.SelectRoom(room);
    }
    // "All Files": the name is taken as given, so its extension alone chooses the export.
    const ExportResult result = ExportChosenFile(doc, options.outputPath, kAllFilesFilter);
    if (!result.ok) {
        session.Prompts().ShowMessage(result.errorText, MessageIcon::Error);
        return kExitFileFailed;
    }
    return kExitOk;
}

int ExportCommand(const QStringList& arguments, QTextStream& err) {
    QString error;
    const auto options = ParseExportOptions(arguments, &error);
    if (!options) {
        err << "plantrek-cli: " << error << '\n';
        return kExitUsage;
    }
    return RunExport(*options, err);
}

}  // namespace plantrek::cli
