#include "view/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "resources/version.h"

namespace plantrek {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Plantrek"));
    auto* icon = new QLabel;
    const int side = fontMetrics().height() * 2;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/32856.svg")).pixmap(side, side));
    icon->setAccessibleName(QStringLiteral("Plantrek"));
    auto* version = new QLabel(AboutVersionLine());
    auto* maker = new QLabel(QStringLiteral("Corvane Software"));
    auto* buildLabel = new QLabel(QStringLiteral("Build:"));
    auto* build = new QLabel(AboutBuildText());
    build->setObjectName(QStringLiteral("BuildText"));
    build->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Named by its buddy "Build:", not by an accessible name, which would hide the numbers.
    buildLabel->setBuddy(build);
    // The notices the GPL asks an interactive program to show: copyright, the licence and where
    // to read it, and no warranty.
    auto* licence = new QLabel(
        QStringLiteral("Copyright 2026 Plantrek developers.\n"
                       "Plantrek is free software under the GNU General Public License,\n"
                       "version 3 or later: you may pass it on and change it under its\n"
                       "terms (see the file LICENSE or https://www.gnu.org/licenses/).\n"
                       "It comes with no warranty."));
    licence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    licence->setObjectName(QStringLiteral("LicenceText"));

    auto* grid = new QGridLayout;
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1, 1, 2);
    grid->addWidget(maker, 1, 1, 1, 2);
    grid->addWidget(buildLabel, 2, 1);
    grid->addWidget(build, 2, 2);
    grid->addWidget(licence, 3, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(ok, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addWidget(ok);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace plantrek
