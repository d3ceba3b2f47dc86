#pragma once

#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "export/page_layout.h"

class QComboBox;
class QPrinter;
class QWidget;

// The printing dialogs, behind an interface so tests can stand in for the modal ones.
namespace plantrek {

// Which levels a print or an export draws: the document's current level, or every level (a
// page set, picture or group per level). Offered only for a site of several levels.
struct LevelChoice {
    QString current;  // the current level's name
    bool everyLevel = true;
};

// The scale the plan is printed at: one of the usual scales for the units in use, or, when
// none is chosen, the largest that fits a page; and the levels printed, when there is a choice.
struct PrintScaleChoice {
    std::vector<PaperScale> offered;
    std::optional<PaperScale> chosen;
    std::optional<LevelChoice> levels;
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
    // File > Export... of a picture, PDF, SVG or DXF on a site of several levels: the current
    // level or every level. False when cancelled. Unless replaced, the choice stands as given.
    virtual bool ChooseExportLevels(LevelChoice& levels, QWidget* parent) {
        (void)levels;
        (void)parent;
        return true;
    }
};

// The Qt Print Support dialogs, with a "Scale" list in the print dialog's Plan tab and in the
// preview's tool bar.
class QtPrintDialogs : public PrintDialogs {
public:
    bool SetUpPage(QPrinter& printer, QWidget* parent) override;
    bool ChoosePrinter(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale) override;
    void Preview(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale,
                 const std::function<void(QPrinter*)>& paint) override;
    bool ChooseExportLevels(LevelChoice& levels, QWidget* parent) override;
};

// A list of "Largest that fits" and the offered scales, showing the chosen one; choosing in it
// changes `scale`.
QComboBox* MakeScaleList(PrintScaleChoice& scale, QWidget* parent);
// A list of "Current level (NAME)" and "Every level"; choosing in it changes `levels`.
QComboBox* MakeLevelList(LevelChoice& levels, QWidget* parent);

}  // namespace plantrek
