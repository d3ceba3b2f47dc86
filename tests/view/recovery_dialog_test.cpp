// "Recover Sites" answered from the keyboard: the proposed choices, changed ones, and Cancel.
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include "view/dialogs/recovery_dialog.h"

namespace plantrek::test {
namespace {

TEST(RecoveryDialogTest, TheChoicesMadeWithTheKeyboardArrive) {
    const std::vector<RecoveryLine> lines{
        {QStringLiteral("Plantrek2"), QDateTime::currentDateTime(), 1, false},
        {QStringLiteral("/sites/mill.tcd"), QDateTime::currentDateTime(), 14, true},
        {QStringLiteral("/sites/barn.tcd"), QDateTime::currentDateTime(), 3, false}};
    using C = RecoveryChoice;
    for (const bool cancel : {false, true}) {
        RecoveryDialog dialog(lines, nullptr);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Recover Sites"));
        EXPECT_EQ(dialog.ChoiceBox(1)->accessibleName(), RecoveryDialog::LineText(lines[1]));
        EXPECT_TRUE(dialog.ChoiceBox(1)->accessibleName().endsWith(
            QStringLiteral("14 rooms (the saved file is newer)")));
        // Tab to the third line and take "Later"; the first keeps Recover, the second Discard.
        ASSERT_TRUE(dialog.ChoiceBox(0)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), cancel ? Qt::Key_Escape : Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Choices(), cancel ? (std::vector<C>{C::Later, C::Later, C::Later})
                                           : (std::vector<C>{C::Recover, C::Discard, C::Later}));
    }
}

}  // namespace
}  // namespace plantrek::test
