#include "view/dialogs/room_summary_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/opening.h"
#include "model/room_quantities.h"
#include "model/site.h"
#include "model/units.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

// The quantities are filled on room rows and summed on material rows; the order columns are
// filled on material rows only.
enum Column {
    kName = 0,
    kArea = 1,
    kPerimeter = 2,
    kAllowance = 3,
    kOrderArea = 4,
    kPacks = 5,
    kHeight = 6,
    kNetPerimeter = 7,
    kWallArea = 8,
    kNetWallArea = 9,
    kVolume = 10,
    kThresholds = 11,
    kColumnCount = 12
};

struct QuantitySums {
    double netPerimeter = 0.0;
    double wallArea = 0.0;
    double netWallArea = 0.0;
    double volume = 0.0;
    int thresholds = 0;
    double thresholdWidth = 0.0;
};

QString ThresholdText(int count, double width, const LengthUnits& units) {
    return count == 0 ? QStringLiteral("0")
                      : QStringLiteral("%1 (%2)").arg(count).arg(units.FormatLength(width));
}

void ShowQuantities(QTreeWidgetItem& item, const QuantitySums& q, const LengthUnits& units) {
    item.setText(kNetPerimeter, units.FormatLength(q.netPerimeter));
    item.setText(kWallArea, units.FormatArea(q.wallArea));
    item.setText(kNetWallArea, units.FormatArea(q.netWallArea));
    item.setText(kVolume, FormatVolume(q.volume, units));
    item.setText(kThresholds, ThresholdText(q.thresholds, q.thresholdWidth, units));
}

QDialogButtonBox* OkButton(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    return buttons;
}

}  // namespace

CRoomSummaryDlg::CRoomSummaryDlg(const Site& site, const LengthUnits& units,
                                 const RoomSummaryWidths& widths, double defaultHeight,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Room Summary"));
    list_ = new QTreeWidget;
    list_->setAccessibleName(QStringLiteral("Room summary"));
    list_->setHeaderLabels({LoadString(string_id::kColumnRoom), LoadString(string_id::kColumnArea),
                            LoadString(string_id::kColumnPerimeter), QStringLiteral("Allowance"),
                            QStringLiteral("Order Area"), QStringLiteral("Packs"),
                            QStringLiteral("Height"), QStringLiteral("Net Perimeter"),
                            QStringLiteral("Wall Area"), QStringLiteral("Net Wall Area"),
                            QStringLiteral("Volume"), QStringLiteral("Thresholds")});
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(false);

    auto row = [](QTreeWidgetItem* item, const QString& name, const QString& area,
                  const QString& perimeter) {
        item->setText(kName, name);
        item->setText(kArea, area);
        item->setText(kPerimeter, perimeter);
        for (int c = kArea; c < kColumnCount; ++c) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    };
    const SharedOpeningIndex shared(site);
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
        QuantitySums totals;
        bool anyQuantities = false;
        for (const Room* room : rooms) {
            const double area = room->GetArea();
            const double perimeter = room->GetPerimeter();
            auto* roomRow = new QTreeWidgetItem(materialRow);
            row(roomRow, room->GetName(), units.FormatArea(area), units.FormatLength(perimeter));
            totalArea += area;
            totalPerimeter += perimeter;
            // A room that is not closed has no quantities, as it has no area.
            if (const auto q = ComputeRoomQuantities(shared, *room, defaultHeight)) {
                const QuantitySums own{q->netPerimeter,   q->grossWallArea,  q->netWallArea,
                                       q->volume,         q->thresholdCount, q->thresholdWidth};
                roomRow->setText(kHeight, units.FormatLength(q->height));
                ShowQuantities(*roomRow, own, units);
                totals.netPerimeter += own.netPerimeter;
                totals.wallArea += own.wallArea;
                totals.netWallArea += own.netWallArea;
                totals.volume += own.volume;
                totals.thresholds += own.thresholds;
                totals.thresholdWidth += own.thresholdWidth;
                anyQuantities = true;
            }
        }
        row(materialRow, material->GetName(), units.FormatArea(totalArea),
            units.FormatLength(totalPerimeter));
        if (anyQuantities) {
            ShowQuantities(*materialRow, totals, units);
        }
        const MaterialOrder order = ComputeMaterialOrder(*material, totalArea);
        if (material->GetWastePercent() > 0.0) {
            materialRow->setText(kAllowance,
                                 QString::number(material->GetWastePercent(), 'g', 4) + u'%');
        }
        materialRow->setText(kOrderArea, units.FormatArea(order.orderArea));
        if (material->GetPackArea() > 0.0) {
            materialRow->setText(kPacks, QString::number(order.packs));
        }
        materialRow->setExpanded(true);
    }

    // The stored widths, widened where a text would be cut off (larger fonts, long names).
    const int stored[] = {widths.name, widths.area, widths.perimeter};
    for (int c = kName; c <= kPerimeter; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, std::max(stored[c], list_->columnWidth(c)));
    }
    for (int c = kAllowance; c < kColumnCount; ++c) {
        list_->resizeColumnToContents(c);
    }

    auto* column = new QVBoxLayout(this);
    column->addWidget(list_);
    column->addWidget(OkButton(*this));
    // Room for every column and a dozen rows at the current font.
    const int line = fontMetrics().height();
    int columns = 0;
    for (int c = kName; c < kColumnCount; ++c) {
        columns += list_->columnWidth(c);
    }
    resize(std::max(columns + 4 * line, 24 * line),
           20 * line);
}

RoomSummaryWidths CRoomSummaryDlg::Widths() const {
    return {list_->columnWidth(kName), list_->columnWidth(kArea), list_->columnWidth(kPerimeter)};
}

}  // namespace plantrek
