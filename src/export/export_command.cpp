#include "export/export_command.h"

#include "document/tracepad_doc.h"
#include "export/document_exports.h"

namespace plantrek {

namespace {

ExportResult Run(const CTracepadDoc& doc, ExportKind kind, const QString& path,
                 const ExportChoices& choices) {
    switch (kind) {
        case ExportKind::Dxf:
            return ExportDxf(doc, path, choices.level);
        case ExportKind::Bmp:
            return ExportImage(doc, path, ImageFormat::Bmp, choices.level);
        case ExportKind::Gif:
            return ExportImage(doc, path, ImageFormat::Gif, choices.level);
        case ExportKind::Jpeg:
            return ExportImage(doc, path, ImageFormat::Jpeg, choices.level);
        case ExportKind::Png:
            return ExportImage(doc, path, ImageFormat::Png, choices.level);
        case ExportKind::Svg:
            return ExportSvg(doc, path, choices.level);
        case ExportKind::Pdf:
            return ExportPdf(doc, path, choices.scale, choices.pageLayout,
                             choices.orientationChosen, choices.level);
        case ExportKind::Xls:
        case ExportKind::Csv:
        case ExportKind::Txt:
            return ExportRoomSummary(doc, path);
        case ExportKind::Schedule:
            return ExportRoomSchedule(doc, path);
    }
    return ExportResult::Failure(kErrorUnknownFileType);
}

}  // namespace

ExportResult ExportChosenFile(CTracepadDoc& doc, const QString& chosenPath, int filterIndex,
                              const ExportChoices& choices) {
    ExportForm form;
    form.fileName = chosenPath;
    form.filterIndex = filterIndex;
    const auto failure =
        form.Apply(doc, [&choices](CTracepadDoc& target, ExportKind kind, const QString& path) {
            ExportResult result = Run(target, kind, path, choices);
            return result.ok ? std::nullopt : std::optional<QString>(result.errorText);
        });
    return failure ? ExportResult::Failure(*failure) : ExportResult::Success();
}

}  // namespace plantrek
