#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "export/page_layout.h"

class QComboBox;
class QPrinter;
class QWidget;

// The printing dialogs, behind an interface so tests can stand in for the modal ones.
namespace plantrek {

// The scale the plan is printed at: one of the usual scales for the units in use, or, when
// none is chosen, the largest that fits a page.
struct PrintScaleChoice {
    std::vector<PaperScale> offered;
    std::optional<PaperScale> chosen;
};

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // File > Print Setup...: paper and margins. False when cancelled.
    virtual bool SetUpPage(QPrinter& printer, QWidget* parent) = 0;
    // File > Print...: the printer, its options and the scale. False when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale) = 0;
    // File > Print Preview...: shows what `paint` draws on the printer, which may print it; the
    // scale may be changed there, and the pages are drawn again.
    virtual void Preview(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale,
                         const std::function<void(QPrinter*)>& paint) = 0;
};

// The Qt Print Support dialogs, with a "Scale" list in the print dialog's Plan tab and in the
// preview's tool bar.
class QtPrintDialogs : public PrintDialogs {
public:
    bool SetUpPage(QPrinter& printer, QWidget* parent) override;
    bool ChoosePrinter(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale) override;
    void Preview(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale,
                 const std::function<void(QPrinter*)>& paint) override;
};

// A list of "Largest that fits" and the offered scales, showing the chosen one; choosing in it
// changes `scale`.
QComboBox* MakeScaleList(PrintScaleChoice& scale, QWidget* parent);

}  // namespace plantrek
