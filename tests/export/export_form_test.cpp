// File > Export...'s form: the filter the dialog opens on, and the file and export a chosen
// name and filter make.
#include <gtest/gtest.h>

#include "document/doc_test_support.h"
#include "document/files/qstring_printer.h"
#include "export/export_form.h"

namespace plantrek {
namespace {

struct TargetCase {
    const char* chosen;
    int filter;
    const char* path;
    const char* extension;
    std::optional<ExportKind> kind;
};

class ExportTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(ExportTargetTest, NameAndFilterMakeThePathAndChooseTheExport) {
    const TargetCase& c = GetParam();
    const ExportTarget target = ResolveExportTarget(QString::fromUtf8(c.chosen), c.filter);
    EXPECT_EQ(target.path, QString::fromUtf8(c.path));
    EXPECT_EQ(target.extension, QString::fromUtf8(c.extension));
    EXPECT_EQ(ExportKindOf(target.extension), c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExportTargetTest,
    ::testing::Values(
        // A typed extension wins over the filter, whatever its case.
        TargetCase{"plan.dxf", 1, "plan.dxf", "dxf", ExportKind::Dxf},
        TargetCase{"plan.bmp", 1, "plan.bmp", "bmp", ExportKind::Bmp},
        TargetCase{"PLAN.JPG", 1, "PLAN.JPG", "JPG", ExportKind::Jpeg},
        TargetCase{"rooms.Xls", 7, "rooms.Xls", "Xls", ExportKind::Xls},
        TargetCase{"site.tcd.txt", 2, "site.tcd.txt", "txt", ExportKind::Txt},
        TargetCase{"plan", 9, "plan.png", "png", ExportKind::Png},
        TargetCase{"plan", 10, "plan.svg", "svg", ExportKind::Svg},
        TargetCase{"plan.PDF", 8, "plan.PDF", "PDF", ExportKind::Pdf},
        TargetCase{"plan.jpeg", 4, "plan.jpeg", "jpeg", std::nullopt},
        // No extension: the filter's, appended, in place of a trailing dot.
        TargetCase{"plan", 3, "plan.gif", "gif", ExportKind::Gif},
        TargetCase{"plan.", 4, "plan.jpg", "jpg", ExportKind::Jpeg},
        // A dot in a folder name is no extension and is kept.
        TargetCase{"/home/j.smith/plan", 6, "/home/j.smith/plan.csv", "csv", ExportKind::Csv},
        TargetCase{"/home/j.smith/plan", 8, "/home/j.smith/plan", "", std::nullopt},
        // "All Files" and filters that do not exist add nothing.
        TargetCase{"plan.", 8, "plan.", "", std::nullopt},
        TargetCase{"plan", 0, "plan", "", std::nullopt},
        TargetCase{"plan", 12, "plan", "", std::nullopt}));

TEST(ExportFilter, OpensOnTheLastTypeComparedExactly) {
    // Capitals, other types and nothing open on the first filter.
    const std::pair<const char*, int> cases[] = {{"dxf", 1}, {"bmp", 2}, {"gif", 3}, {"jpg", 4},
                                                 {"xls", 5}, {"csv", 6}, {"txt", 7}, {"JPG", 1},
                                                 {"Gif", 1}, {"png", 9}, {"", 1},    {"jpg ", 1}};
    for (const auto& [type, index] : cases) {
        EXPECT_EQ(ExportFilterIndexFor(QString::fromLatin1(type)), index) << type;
    }
}

TEST(ExportFilter, EachRowOffersTheExtensionItAppends) {
    const QList<ExportFilterEntry> entries = ExportFilterEntries();
    ASSERT_EQ(entries.size(), 11);
    for (int index = 1; index <= entries.size(); ++index) {
        const QString pattern = index == kAllFilesFilter
                                    ? QStringLiteral("*.*")
                                    : QStringLiteral("*.") + ExportFilterExtension(index);
        EXPECT_EQ(entries[index - 1].pattern, pattern) << index;
        EXPECT_TRUE(entries[index - 1].description.endsWith('(' + pattern + ')'))
            << entries[index - 1].description.toStdString();
    }
}

// On a document: an unknown type is refused on the file name, a name without one takes the
// filter's, and the dialog opens on the type exported last.
class ExportFormTest : public test::DocTest {};

TEST_F(ExportFormTest, RefusesAnUnknownTypeAndOpensOnTheLastOne) {
    NewDoc();
    const ExportForm unknownType{.fileName = "a.webp", .filterIndex = 8};
    const ExportForm byFilter{.fileName = "a", .filterIndex = 3};
    const auto unknown = unknownType.Check(Doc());
    ASSERT_TRUE(unknown.has_value());
    EXPECT_EQ(unknown->message, "Unknown file type");
    EXPECT_EQ(unknown->field, ExportForm::Field::FileName);
    EXPECT_FALSE(byFilter.Check(Doc()).has_value());
    Doc().Prefs().SetExportType(QStringLiteral("gif"));
    EXPECT_EQ(ExportForm::FromDocument(Doc()).filterIndex, 3);
}

}  // namespace
}  // namespace plantrek
