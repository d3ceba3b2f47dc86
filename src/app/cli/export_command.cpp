#include "app/cli/export_command.h"

#include "app/cli/document_session.h"
#include "app/cli/option_arguments.h"
#include "app/cli/run_command.h"
#include "export/export_command.h"
#include "export/room_summary_export.h"
#include "model/site.h"

namespace plantrek::cli {

std::optional<ExportOptions> ParseExportOptions(const QStringList& arguments, QString* error) {
    ExportOptions options;
    QStringList files;
    error->clear();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        if (TakeOption(arguments, i, QStringLiteral("--units"), &value, error)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            options.units = ParseUnitsOption(value, error);
            if (!options.units) {
                return std::nullopt;
            }
        } else if (TakeOption(arguments, i, QStringLiteral("--select-room"), &value, error)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            options.selectRoom = value;
        } else if (TakeOption(arguments, i, QStringLiteral("--level"), &value, error)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            options.level = value;
        } else if (TakeOption(arguments, i, QStringLiteral("--scale"), &value, error)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            options.scale = ParsePaperScale(value);
            if (!options.scale) {
                *error =
                    QStringLiteral("--scale takes a scale such as 1:50, not \"%1\"").arg(value);
                return std::nullopt;
            }
        } else if (TakeOption(arguments, i, QStringLiteral("--page"), &value, error)) {
            if (!error->isEmpty()) {
                return std::nullopt;
            }
            options.page = PageLayoutNamed(value);
            if (!options.page) {
                *error = QStringLiteral(
                             "--page takes a paper size such as A4, A3 or Letter, "
                             "not \"%1\"")
                             .arg(value);
                return std::nullopt;
            }
        } else if (argument == QLatin1String("--landscape")) {
            options.orientation = QPageLayout::Landscape;
        } else if (argument == QLatin1String("--portrait")) {
            options.orientation = QPageLayout::Portrait;
        } else if (argument == QLatin1String("--wall-lengths")) {
            options.wallLengths = true;
        } else if (argument == QLatin1String("--schedule")) {
            options.schedule = true;
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
    if (options.schedule && SummaryFormatOf(options.outputPath) == SummaryFormat::Unknown) {
        *error = QStringLiteral("--schedule writes an .xls, .csv or .txt file, not \"%1\"")
                     .arg(options.outputPath);
        return std::nullopt;
    }
    return options;
}

int RunExport(const ExportOptions& options, QTextStream& err) {
    DocumentSession session(err, true);
    if (!session.Start(options.sitePath, options.units)) {
        return kExitFileFailed;
    }
    CTracepadDoc& doc = session.Doc();
    if (options.wallLengths) {
        PrefsDrawingValues drawing = doc.Prefs().GetDrawingValues();
        drawing.ShowWallLengths = true;
        doc.Prefs().SetDrawingValues(drawing);
    }
    if (options.selectRoom) {
        Room* room = doc.GetSite()->FindRoomByName(*options.selectRoom);
        if (room == nullptr) {
            err << "plantrek-cli: there is no room named \"" << *options.selectRoom << "\"\n";
            return kExitUsage;
        }
        doc.SelectRoom(room);
    }
    // "All Files": the name is taken as given, so its extension alone chooses the export; the
    // room schedule's filter makes a spreadsheet the schedule.
    const int filter = options.schedule ? kScheduleXlsFilter : kAllFilesFilter;
    ExportChoices choices{options.scale, options.page, false};
    if (options.level) {
        const Site& site = *doc.GetSite();
        choices.level = site.FindLevelByName(options.level->trimmed());
        if (choices.level < 0) {
            QStringList names;
            for (const Level& level : site.Levels()) {
                names << QStringLiteral("\"%1\"").arg(level.name);
            }
            err << "plantrek-cli: there is no level named \"" << *options.level
                << "\"; the levels are " << names.join(QStringLiteral(", ")) << '\n';
            return kExitUsage;
        }
    }
    if (options.orientation) {
        choices.pageLayout = options.page.value_or(DefaultPageLayout());
        choices.pageLayout->setOrientation(*options.orientation);
        choices.orientationChosen = true;
    }
    const ExportResult result = ExportChosenFile(doc, options.outputPath, filter, choices);
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
