// File > Print..., Print Preview... and Print Setup... on the frame, with the modal dialogs
// replaced and the preview drawn by Qt's own preview widget.
#include <QComboBox>
#include <QFile>
#include <QLocale>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <optional>

#include "frame_fixture.h"
#include "resources/command_ids.h"
#include "view/commands/command_router.h"
#include "view/dialogs/print_dialogs.h"

namespace plantrek::test {
namespace {

using namespace command_id;

struct ScriptedPrintDialogs : PrintDialogs {
    bool SetUpPage(QPrinter& printer, QWidget*) override {
        printer.setPageOrientation(orientation);
        return true;
    }
    bool ChoosePrinter(QPrinter& printer, QWidget*, PrintScaleChoice&) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        return !outputFile.isEmpty();
    }
    // Picks the scale in the list the user would see, before the pages are drawn.
    void Preview(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale,
                 const std::function<void(QPrinter*)>& paint) override {
        shown.push_back(printer.pageLayout().orientation());
        if (pick >= 0) {
            std::unique_ptr<QComboBox> list(MakeScaleList(scale, parent));
            list->setCurrentIndex(pick);
        }
        QPrintPreviewWidget preview(&printer, parent);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                         [&paint](QPrinter* target) { paint(target); });
        preview.show();
        preview.updatePreview();
        pageCounts.push_back(preview.pageCount());
        if (turn) {
            printer.setPageOrientation(*turn);  // the preview's own orientation buttons
        }
    }

    QPageLayout::Orientation orientation = QPageLayout::Landscape;
    QString outputFile;
    std::vector<int> pageCounts;
    std::vector<QPageLayout::Orientation> shown;
    std::optional<QPageLayout::Orientation> turn;
    int pick = 0;  // "Largest that fits"
};

class PrintTest : public FrameTest {
protected:
    // Pages are A4 where the locale measures in metres.
    PrintTest() : saved_(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        DropFrame();
        FrameServices services = Services();
        services.printing = &dialogs;
        frame = std::make_unique<CTracepadMainFrame>(std::move(services));
        frame->show();
    }
    ~PrintTest() override {
        DropFrame();  // before the dialogs it points to go
        QLocale::setDefault(saved_);
    }
    QLocale saved_;
    ScriptedPrintDialogs dialogs;
};

TEST_F(PrintTest, PreviewPagesFollowPrintSetupAndPrintWrites) {
    frame->NewDocument();
    frame->activateWindow();
    TypeEach({"3 n", "4 e"});
    frame->Router().Run(kFilePrintPreview);
    // 7000" (583') is 926 mm even at 1/16" to the foot: four portrait A4 pages of about 269 mm
    // one under the other, six landscape ones of about 182 mm.
    Type(QStringLiteral("7000 s"));
    frame->Router().Run(kFilePrintPreview);
    frame->Router().Run(kFilePrintSetup);
    frame->Router().Run(kFilePrintPreview);
    EXPECT_EQ(dialogs.pageCounts, (std::vector<int>{1, 4, 6}));
    // The second of the scales offered for feet (paper_scales_test has them all), 1/4" to the
    // foot: the 583' wall is 3.7 m of paper, 21 landscape pages of about 182 mm; the choice is
    // kept for the next preview, and for a PDF export.
    dialogs.pick = 1;
    frame->Router().Run(kFilePrintPreview);
    dialogs.pick = -1;  // left as it was
    frame->Router().Run(kFilePrintPreview);
    EXPECT_EQ(dialogs.pageCounts, (std::vector<int>{1, 4, 6, 21, 21}));

    dialogs.outputFile = Path(QStringLiteral("printed.pdf"));
    frame->Router().Run(kFilePrint);
    QFile printed(dialogs.outputFile);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    EXPECT_TRUE(prompts.messages.empty());
}

// A wide plan is previewed on its side until the user turns the page; then it stays as turned.
TEST_F(PrintTest, PagesFollowThePlanUntilTheUserTurnsThem) {
    frame->NewDocument();
    frame->activateWindow();
    TypeEach({"3 n", "400 e"});
    frame->Router().Run(kFilePrintPreview);
    dialogs.turn = QPageLayout::Portrait;
    frame->Router().Run(kFilePrintPreview);
    dialogs.turn.reset();
    frame->Router().Run(kFilePrintPreview);
    using O = QPageLayout::Orientation;
    EXPECT_EQ(dialogs.shown, (std::vector<O>{O::Landscape, O::Landscape, O::Portrait}));
}

}  // namespace
}  // namespace plantrek::test
