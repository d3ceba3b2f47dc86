#include "view/dialogs/print_dialogs.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace plantrek {

QComboBox* MakeScaleList(PrintScaleChoice& scale, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setAccessibleName(QStringLiteral("Scale"));
    list->addItem(QStringLiteral("Largest that fits"));
    for (const PaperScale& offered : scale.offered) {
        list->addItem(offered.label);
        if (scale.chosen && scale.chosen->ratio == offered.ratio) {
            list->setCurrentIndex(list->count() - 1);
        }
    }
    QObject::connect(list, &QComboBox::currentIndexChanged, list, [&scale](int index) {
        if (index >= 1 && index <= static_cast<int>(scale.offered.size())) {
            scale.chosen = scale.offered[static_cast<std::size_t>(index - 1)];
        } else {
            scale.chosen.reset();
        }
    });
    return list;
}

QComboBox* MakeLevelList(LevelChoice& levels, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setAccessibleName(QStringLiteral("Levels"));
    list->addItem(QStringLiteral("Current level (%1)").arg(levels.current));
    list->addItem(QStringLiteral("Every level"));
    list->setCurrentIndex(levels.everyLevel ? 1 : 0);
    QObject::connect(list, &QComboBox::currentIndexChanged, list,
                     [&levels](int index) { levels.everyLevel = index == 1; });
    return list;
}

bool QtPrintDialogs::ChooseExportLevels(LevelChoice& levels, QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Export"));
    LevelChoice edited = levels;
    auto* form = new QFormLayout(&dialog);
    QComboBox* list = MakeLevelList(edited, &dialog);
    auto* label = new QLabel(QStringLiteral("&Levels:"), &dialog);
    label->setBuddy(list);
    form->addRow(label, list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    levels = edited;
    return true;
}

bool QtPrintDialogs::SetUpPage(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrintDialogs::ChoosePrinter(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale) {
    QPrintDialog dialog(&printer, parent);
    // The dialog owns the tab; the scale is taken only when it is accepted.
    PrintScaleChoice edited = scale;
    auto* tab = new QWidget;
    tab->setWindowTitle(QStringLiteral("Plan"));
    auto* form = new QFormLayout(tab);
    QComboBox* list = MakeScaleList(edited, tab);
    auto* label = new QLabel(QStringLiteral("&Scale:"), tab);
    label->setBuddy(list);
    form->addRow(label, list);
    if (edited.levels) {
        QComboBox* levels = MakeLevelList(*edited.levels, tab);
        auto* levelsLabel = new QLabel(QStringLiteral("&Levels:"), tab);
        levelsLabel->setBuddy(levels);
        form->addRow(levelsLabel, levels);
    }
    dialog.setOptionTabs({tab});
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    scale = edited;
    return true;
}

void QtPrintDialogs::Preview(QPrinter& printer, QWidget* parent, PrintScaleChoice& scale,
                             const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* target) { paint(target); });
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (auto* toolBar = dialog.findChild<QToolBar*>(); toolBar != nullptr && preview != nullptr) {
        toolBar->addSeparator();
        auto* label = new QLabel(QStringLiteral(" Scale: "), toolBar);
        QComboBox* list = MakeScaleList(scale, toolBar);
        label->setBuddy(list);
        toolBar->addWidget(label);
        toolBar->addWidget(list);
        QObject::connect(list, &QComboBox::currentIndexChanged, preview,
                         &QPrintPreviewWidget::updatePreview);
        if (scale.levels) {
            auto* levelsLabel = new QLabel(QStringLiteral(" Levels: "), toolBar);
            QComboBox* levels = MakeLevelList(*scale.levels, toolBar);
            levelsLabel->setBuddy(levels);
            toolBar->addWidget(levelsLabel);
            toolBar->addWidget(levels);
            QObject::connect(levels, &QComboBox::currentIndexChanged, preview,
                             &QPrintPreviewWidget::updatePreview);
        }
    }
    dialog.exec();
}

}  // namespace plantrek
