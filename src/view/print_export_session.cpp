#include "view/print_export_session.h"

#include <QApplication>
#include <QPrinter>

#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "export/document_exports.h"
#include "export/export_command.h"
#include "export/pdf_export.h"
#include "model/site.h"

namespace plantrek {

namespace {

// The level a print draws: the current one when the user chose it, else every level.
int LevelOf(const CTracepadDoc& doc, const PrintScaleChoice& scale) {
    return scale.levels && !scale.levels->everyLevel ? doc.GetCurrentLevel() : Site::kEveryLevel;
}

}  // namespace

PrintExportSession::PrintExportSession(WindowPrompts& prompts, FileChooser& files,
                                       PrintDialogs* printing, QWidget* parent)
    : prompts_(prompts), files_(files), printing_(printing), parent_(parent) {
    if (printing_ == nullptr) {
        ownPrinting_ = std::make_unique<QtPrintDialogs>();
        printing_ = ownPrinting_.get();
    }
}

PrintExportSession::~PrintExportSession() = default;

QPrinter& PrintExportSession::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageLayout(DefaultPageLayout());
    }
    return *printer_;
}

void PrintExportSession::SetUpPage() {
    if (printing_->SetUpPage(Printer(), parent_)) {
        pageSetUp_ = true;
    }
}

void PrintExportSession::Export(CTracepadDoc& doc) {
    QStringList filters;
    for (const ExportFilterEntry& entry : ExportFilterEntries()) {
        filters.append(entry.description);
    }
    const ChosenFile chosen =
        files_.ChooseSaveFile(QStringLiteral("Export"), QString(), filters,
                              ExportFilterIndexFor(doc.Prefs().GetExportType()), QString());
    if (chosen.path.isEmpty()) {
        return;
    }
    ExportChoices choices;
    const Site* site = doc.GetSite();
    const std::optional<ExportKind> kind =
        ExportKindOf(ResolveExportTarget(chosen.path, chosen.filterIndex), chosen.filterIndex);
    const bool drawing = kind && *kind != ExportKind::Xls && *kind != ExportKind::Csv &&
                         *kind != ExportKind::Txt && *kind != ExportKind::Schedule;
    if (drawing && site != nullptr && site->LevelCount() > 1) {
        LevelChoice levels{site->GetLevel(doc.GetCurrentLevel()).name, exportEveryLevel_};
        if (!printing_->ChooseExportLevels(levels, parent_)) {
            return;
        }
        exportEveryLevel_ = levels.everyLevel;
        choices.level = levels.everyLevel ? Site::kEveryLevel : doc.GetCurrentLevel();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    choices.scale = ScaleFor(doc).chosen;
    if (pageSetUp_) {
        choices.pageLayout = Printer().pageLayout();
        choices.orientationChosen = true;
    }
    const ExportResult result = ExportChosenFile(doc, chosen.path, chosen.filterIndex, choices);
    QApplication::restoreOverrideCursor();
    if (!result.ok) {
        prompts_.ShowCaptioned(kExportErrorCaption, result.errorText, MessageIcon::Error);
    }
}

PrintScaleChoice PrintExportSession::ScaleFor(const CTracepadDoc& doc) const {
    PrintScaleChoice scale{PaperScales(ScaleBarInMeters(doc.Prefs().GetInputValues())),
                           std::nullopt};
    // The chosen scale holds while it is one of the scales of the units in use.
    for (const PaperScale& offered : scale.offered) {
        if (printScale_ && printScale_->ratio == offered.ratio) {
            scale.chosen = offered;
        }
    }
    if (const Site* site = doc.GetSite(); site != nullptr && site->LevelCount() > 1) {
        scale.levels = LevelChoice{site->GetLevel(doc.GetCurrentLevel()).name, printEveryLevel_};
    }
    return scale;
}

void PrintExportSession::Print(CTracepadDoc& doc, bool preview) {
    QPrinter& printer = Printer();
    printer.setDocName(doc.GetTitle());
    PrintScaleChoice scale = ScaleFor(doc);
    // Until the user sets up the page or turns it, it lies whichever way holds the plan larger.
    if (!pageSetUp_ && !orientationChosen_ && doc.GetSite() != nullptr) {
        PlanPageOptions options = PlanPageOptionsOf(doc);
        options.scale = scale.chosen;
        options.image.drawing.Level = LevelOf(doc, scale);
        printer.setPageOrientation(BestOrientation(*doc.GetSite(), options, printer.pageLayout()));
    }
    const QPageLayout::Orientation offered = printer.pageLayout().orientation();
    const auto paint = [this, &doc, &scale](QPrinter* target) {
        if (!PaintPlanPages(doc, *target, scale.chosen, LevelOf(doc, scale))) {
            prompts_.ShowMessage(QStringLiteral("Couldn't print"), MessageIcon::Error);
        }
    };
    const auto keep = [this, &scale] {
        printScale_ = scale.chosen;
        if (scale.levels) {
            printEveryLevel_ = scale.levels->everyLevel;
        }
    };
    if (preview) {
        printing_->Preview(printer, parent_, scale, paint);
        keep();
    } else if (printing_->ChoosePrinter(printer, parent_, scale)) {
        keep();
        paint(&printer);
    }
    orientationChosen_ = orientationChosen_ || printer.pageLayout().orientation() != offered;
}

}  // namespace plantrek
