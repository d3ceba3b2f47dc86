// "Recover Sites" answered from the keyboard: the proposed choices, changed ones, and Cancel.
#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "document/recovery/recovery_store.h"
#include "model/site.h"
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
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down,
                                  cancel ? Qt::Key_Escape : Qt::Key_Return}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Choices(), cancel ? (std::vector<C>{C::Later, C::Later, C::Later})
                                           : (std::vector<C>{C::Recover, C::Discard, C::Later}));
    }
}

TEST(RecoveryDialogTest, TheStatusBarSaysOnceThatStatesCannotBeWritten) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    QStatusBar bar;
    QSignalSpy shown(&bar, &QStatusBar::messageChanged);
    {
        RecoveryStore store(blocker.fileName() + QStringLiteral("/state"));
        ShowRecoveryFailures(store, bar);
        const int doc = store.AddDocument();
        for (int change = 0; change < 3; ++change) {
            store.Submit(doc, RecoveryState{std::make_shared<const Site>(),
                                            {},
                                            QStringLiteral("Plantrek1"),
                                            QDateTime::currentDateTimeUtc()});
            store.WaitUntilIdle();
        }
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(
        bar.currentMessage().startsWith(QStringLiteral("Changes cannot be kept for recovery")))
        << bar.currentMessage().toStdString();
}

}  // namespace
}  // namespace plantrek::test
