#include "view/print_export_session.h"

#include <QApplication>
#include <QPrinter>

#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "export/document_exports.h"
#include "export/export_command.h"
#include "export/pdf_export.h"

namespace plantrek {

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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ExportChoices choices;
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
        printer.setPageOrientation(BestOrientation(*doc.GetSite(), options, printer.pageLayout()));
    }
    const QPageLayout::Orientation offered = printer.pageLayout().orientation();
    const auto paint = [this, &doc, &scale](QPrinter* target) {
        if (!PaintPlanPages(doc, *target, scale.chosen)) {
            prompts_.ShowMessage(QStringLiteral("Couldn't print"), MessageIcon::Error);
        }
    };
    if (preview) {
        printing_->Preview(printer, parent_, scale, paint);
        printScale_ = scale.chosen;
    } else if (printing_->ChoosePrinter(printer, parent_, scale)) {
        printScale_ = scale.chosen;
        paint(&printer);
    }
    orientationChosen_ = orientationChosen_ || printer.pageLayout().orientation() != offered;
}

}  // namespace plantrek
