#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

#include "export/page_layout.h"

// "plantrek-cli export": a site opened as File > Open does, written to the file File > Export...
// would write for that name.
namespace plantrek::cli {

struct ExportOptions {
    QString sitePath;
    QString outputPath;                 // its extension chooses the export
    std::optional<int> units;           // --units: the Input value for this run (1 meters, 0 feet)
    std::optional<QString> selectRoom;  // --select-room: the room shown selected in a picture
    std::optional<QString> level;       // --level: that level only, else every level
    std::optional<PaperScale> scale;    // --scale 1:N: the PDF's scale
    bool wallLengths = false;           // --wall-lengths: each wall's length on the plan
    bool schedule = false;              // --schedule: the room schedule, not the room summary
    std::optional<QPageLayout> page;    // --page NAME: the PDF's paper, the locale's when not set
    // --landscape, --portrait: the PDF's pages on their side or upright; without either,
    // whichever way holds the plan at the larger scale.
    std::optional<QPageLayout::Orientation> orientation;
};

// Reads the arguments that follow "export"; on failure the reason goes to error.
std::optional<ExportOptions> ParseExportOptions(const QStringList& arguments, QString* error);

// Exit status: 0 written, 1 the site did not open or the export failed (with "error: TEXT"),
// 2 bad arguments or no room or level of the given name (the levels there are listed).
int RunExport(const ExportOptions& options, QTextStream& err);

// Parses and runs, for main.
int ExportCommand(const QStringList& arguments, QTextStream& err);

}  // namespace plantrek::cli
