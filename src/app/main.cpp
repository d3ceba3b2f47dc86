// plantrek [SITE.tcd]: the desktop program.
#include <QApplication>
#include <QIcon>
#include <QTextStream>

#include <cstdio>

#include "app/tracepad_app.h"

int main(int argc, char** argv) {
    // The program's own arguments are read before Qt sees the command line, and Qt gets only
    // the program name, so a site named "-style" or "-platform" is opened rather than eaten.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("plantrek: no display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "use plantrek-cli to work without one\n", stderr);
        return 1;
    }
#endif
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    plantrek::SetApplicationNames();
    // The desktop entry's name ties the windows to their menu entry and icon under Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("plantrek"));
    Q_INIT_RESOURCE(program_icon);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/program/plantrek.svg")));

    plantrek::CTracepadApp app;
    if (const auto failed = app.InitInstance(arguments)) {
        return *failed;
    }
    return application.exec();
}
