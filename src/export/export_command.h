#pragma once

#include <QString>

#include "export/export_form.h"
#include "export/export_result.h"
#include "export/page_layout.h"

#include <optional>

// File > Export... once its form is filled: the export the chosen name selects. The window shows
// the dialog and, on failure, the error text under kExportErrorCaption with the stop icon.
namespace plantrek {

class CTracepadDoc;

// Writes the document to the file the chosen name and filter make. Fails with
// "Unknown file type" when the extension selects no export, else with the export's own error
// text. Only a successful export sets `ExportType`, to the extension as it was compared.
// What the dialog does not ask: the PDF's scale (the largest usual one that fits when unset).
// And the pages of Print Setup, when the user has set them (else A4 or Letter by the locale).
// The pages lie whichever way holds the plan larger unless their orientation was chosen.
// The level drawn: one (its place), or every level with -1; the room summary and schedule
// always hold every room.
struct ExportChoices {
    std::optional<PaperScale> scale;
    std::optional<QPageLayout> pageLayout;
    bool orientationChosen = false;
    int level = -1;
};
ExportResult ExportChosenFile(CTracepadDoc& doc, const QString& chosenPath, int filterIndex,
                              const ExportChoices& choices = {});

}  // namespace plantrek
