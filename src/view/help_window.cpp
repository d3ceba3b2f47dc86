#include "view/help_window.h"

#include <QFile>
#include <QTextDocument>

namespace plantrek {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Plantrek Help"));
    setAccessibleName(QStringLiteral("Plantrek Help"));
    setOpenExternalLinks(true);
    document()->setDocumentMargin(16);
    QFile manual(QStringLiteral(":/docs/manual.md"));
    if (manual.open(QIODevice::ReadOnly)) {
        setMarkdown(QString::fromUtf8(manual.readAll()));
    }
    resize(720, 640);
}

}  // namespace plantrek
