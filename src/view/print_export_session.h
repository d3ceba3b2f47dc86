#pragma once

#include <memory>
#include <optional>

#include "export/page_layout.h"
#include "view/dialogs/print_dialogs.h"

class QPrinter;
class QWidget;

// Printing and exporting for one run of the program: the printer, whose page layout, once
// File > Print Setup has set one, the PDF export uses too, and the scale last chosen in the
// print dialogs.
namespace plantrek {

class CTracepadDoc;
class FileChooser;
class WindowPrompts;

class PrintExportSession {
public:
    // printing: where the print dialogs go; the Qt Print Support dialogs when null.
    PrintExportSession(WindowPrompts& prompts, FileChooser& files, PrintDialogs* printing,
                       QWidget* parent);
    ~PrintExportSession();

    PrintDialogs& Dialogs() { return *printing_; }
    QPrinter& Printer();
    // Set once the user has set up the page with File > Print Setup.
    bool& PageSetUp() { return pageSetUp_; }
    // File > Print Setup.
    void SetUpPage();

    // File > Export: asks for a file and its type, and says why when it fails.
    void Export(CTracepadDoc& doc);
    // File > Print and File > Print Preview.
    void Print(CTracepadDoc& doc, bool preview);
    // The scales offered for the document's units, with the one chosen last while it is one;
    // the levels printed, for a site of several.
    PrintScaleChoice ScaleFor(const CTracepadDoc& doc) const;

private:
    WindowPrompts& prompts_;
    FileChooser& files_;
    std::unique_ptr<PrintDialogs> ownPrinting_;
    PrintDialogs* printing_;
    QWidget* parent_;  // the window the dialogs stand over, which owns this session
    std::unique_ptr<QPrinter> printer_;
    bool pageSetUp_ = false;
    bool orientationChosen_ = false;  // the user turned the page in a print dialog
    std::optional<PaperScale> printScale_;
    // Every level or the current one, as last chosen for a print and for an export.
    bool printEveryLevel_ = true;
    bool exportEveryLevel_ = true;
};

}  // namespace plantrek
