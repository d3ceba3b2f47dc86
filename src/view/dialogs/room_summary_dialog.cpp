#include "view/dialogs/room_summary_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/room_quantities.h"
#include "model/site.h"
#include "model/units.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

// The order columns are filled on material rows only.
enum Column { kName = 0, kArea = 1, kPerimeter = 2, kAllowance = 3, kOrderArea = 4, kPacks = 5 };

QDialogButtonBox* OkButton(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    return buttons;
}

}  // namespace

CRoomSummaryDlg::CRoomSummaryDlg(const Site& site, const LengthUnits& units,
                                 const RoomSummaryWidths& widths, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Room Summary"));
    list_ = new QTreeWidget;
    list_->setAccessibleName(QStringLiteral("Room summary"));
    list_->setHeaderLabels({LoadString(string_id::kColumnRoom), LoadString(string_id::kColumnArea),
                            LoadString(string_id::kColumnPerimeter), QStringLiteral("Allowance"),
                            QStringLiteral("Order Area"), QStringLiteral("Packs")});
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(false);

    auto row = [](QTreeWidgetItem* item, const QString& name, const QString& area,
                  const QString& perimeter) {
        item->setText(kName, name);
        item->setText(kArea, area);
        item->setText(kPerimeter, perimeter);
        item->setTextAlignment(kArea, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(kPerimeter, Qt::AlignRight | Qt::AlignVCenter);
    };
    // By the material list, not by name look-ups: two names differing only in case are two
    // materials.
    for (const auto& material : site.Materials()) {
        if (!material) {
            continue;
        }
        const std::vector<const Room*> rooms = site.RoomsWithMaterial(material->GetIndex());
        if (rooms.empty()) {
            continue;
        }
        auto* materialRow = new QTreeWidgetItem(list_);
        double totalArea = 0.0;
        double totalPerimeter = 0.0;
        for (const Room* room : rooms) {
            const double area = room->GetArea();
            const double perimeter = room->GetPerimeter();
            row(new QTreeWidgetItem(materialRow), room->GetName(), units.FormatArea(area),
                units.FormatLength(perimeter));
            totalArea += area;
            totalPerimeter += perimeter;
        }
        row(materialRow, material->GetName(), units.FormatArea(totalArea),
            units.FormatLength(totalPerimeter));
        const MaterialOrder order = ComputeMaterialOrder(*material, totalArea);
        if (material->GetWastePercent() > 0.0) {
            materialRow->setText(kAllowance,
                                 QString::number(material->GetWastePercent(), 'g', 4) + u'%');
        }
        materialRow->setText(kOrderArea, units.FormatArea(order.orderArea));
        if (material->GetPackArea() > 0.0) {
            materialRow->setText(kPacks, QString::number(order.packs));
        }
        for (const int c : {kAllowance, kOrderArea, kPacks}) {
            materialRow->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        materialRow->setExpanded(true);
    }

    // The stored widths, widened where a text would be cut off (larger fonts, long names).
    const int stored[] = {widths.name, widths.area, widths.perimeter};
    for (int c = kName; c <= kPerimeter; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, std::max(stored[c], list_->columnWidth(c)));
    }
    for (int c = kAllowance; c <= kPacks; ++c) {
        list_->resizeColumnToContents(c);
    }

    auto* column = new QVBoxLayout(this);
    column->addWidget(list_);
    column->addWidget(OkButton(*this));
    // Room for every column and a dozen rows at the current font.
    const int line = fontMetrics().height();
    int columns = 0;
    for (int c = kName; c <= kPacks; ++c) {
        columns += list_->columnWidth(c);
    }
    resize(std::max(columns + 4 * line, 24 * line),
           20 * line);
}

RoomSummaryWidths CRoomSummaryDlg::Widths() const {
    return {list_->columnWidth(kName), list_->columnWidth(kArea), list_->columnWidth(kPerimeter)};
}

}  // namespace plantrek
