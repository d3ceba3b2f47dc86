// Entry point of every test executable: a GUI application on the offscreen platform (drawing
// text needs one) and settings, data and temporary folders that belong to this run only, so no
// test ever reads or writes the user's own settings or template file.
#include <QCoreApplication>
#include <QGuiApplication>
#ifdef PLANTREK_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;  // the window's tests drive real widgets
#else
using TestApplication = QGuiApplication;
#endif
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid()) {
        return 2;
    }
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_STATE_HOME", root + "/state");
    QStandardPaths::setTestModeEnabled(true);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TestApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Corvane Software");
    QCoreApplication::setApplicationName("Plantrek");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
