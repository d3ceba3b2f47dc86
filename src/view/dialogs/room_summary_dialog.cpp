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
    kLevel = 12,  // only when the site has more than one level
};

struct QuantitySums {
    double netPerimeter = 0.0;
    double wallArea = 0.0;
    double netWallArea = 0.0;
    double volume = 0.0;
    int thresholds = 0;
    double thresholdWidth = 0.0;
};

// What a material's rooms, a level's or the whole site's add up to.
struct Totals {
    double area = 0.0;
    double perimeter = 0.0;
    QuantitySums quantities;
    bool anyQuantities = false;

    void Add(double roomArea, double roomPerimeter, const QuantitySums* q) {
        area += roomArea;
        perimeter += roomPerimeter;
        if (q != nullptr) {
            quantities.netPerimeter += q->netPerimeter;
            quantities.wallArea += q->wallArea;
            quantities.netWallArea += q->netWallArea;
            quantities.volume += q->volume;
            quantities.thresholds += q->thresholds;
            quantities.thresholdWidth += q->thresholdWidth;
            anyQuantities = true;
        }
    }
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
    const bool levels = site.LevelCount() > 1;
    QStringList headers = {LoadString(string_id::kColumnRoom), LoadString(string_id::kColumnArea),
                           LoadString(string_id::kColumnPerimeter), QStringLiteral("Allowance"),
                           QStringLiteral("Order Area"), QStringLiteral("Packs"),
                           QStringLiteral("Height"), QStringLiteral("Net Perimeter"),
                           QStringLiteral("Wall Area"), QStringLiteral("Net Wall Area"),
                           QStringLiteral("Volume"), QStringLiteral("Thresholds")};
    if (levels) {
        headers.append(QStringLiteral("Level"));
    }
    const int columnCount = static_cast<int>(headers.size());
    list_->setHeaderLabels(headers);
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(false);

    auto row = [&units](QTreeWidgetItem* item, const QString& name, const Totals& totals) {
        item->setText(kName, name);
        item->setText(kArea, units.FormatArea(totals.area));
        item->setText(kPerimeter, units.FormatLength(totals.perimeter));
        for (int c = kArea; c <= kThresholds; ++c) {
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (totals.anyQuantities) {
            ShowQuantities(*item, totals.quantities, units);
        }
    };
    const auto levelName = [&site](int level) {
        return site.IsLevel(level) ? site.GetLevel(level).name : QString();
    };
    std::vector<Totals> levelTotals(static_cast<std::size_t>(site.LevelCount()));
    Totals siteTotals;
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
        Totals totals;
        for (const Room* room : rooms) {
            Totals own;
            // A room that is not closed has no quantities, as it has no area.
            const auto q =
                ComputeRoomQuantities(shared, *room, site.DefaultHeightOf(*room, defaultHeight));
            const QuantitySums sums =
                q ? QuantitySums{q->netPerimeter, q->grossWallArea, q->netWallArea,
                                 q->volume,       q->thresholdCount, q->thresholdWidth}
                  : QuantitySums{};
            own.Add(room->GetArea(), room->GetPerimeter(), q ? &sums : nullptr);
            auto* roomRow = new QTreeWidgetItem(materialRow);
            row(roomRow, room->GetName(), own);
            if (q) {
                roomRow->setText(kHeight, units.FormatLength(q->height));
            }
            totals.Add(own.area, own.perimeter, q ? &sums : nullptr);
            if (levels) {
                roomRow->setText(kLevel, levelName(room->GetLevel()));
                if (site.IsLevel(room->GetLevel())) {
                    levelTotals[static_cast<std::size_t>(room->GetLevel())].Add(
                        own.area, own.perimeter, q ? &sums : nullptr);
                }
                siteTotals.Add(own.area, own.perimeter, q ? &sums : nullptr);
            }
        }
        row(materialRow, material->GetName(), totals);
        const MaterialOrder order = ComputeMaterialOrder(*material, totals.area);
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
    // With several levels, the whole site's totals and under them each level's.
    if (levels) {
        auto* everyLevel = new QTreeWidgetItem(list_);
        row(everyLevel, QStringLiteral("All Levels"), siteTotals);
        for (int level = 0; level < site.LevelCount(); ++level) {
            auto* levelRow = new QTreeWidgetItem(everyLevel);
            row(levelRow, levelName(level), levelTotals[static_cast<std::size_t>(level)]);
            levelRow->setText(kLevel, levelName(level));
        }
        everyLevel->setExpanded(true);
    }

    // The stored widths, widened where a text would be cut off (larger fonts, long names).
    const int stored[] = {widths.name, widths.area, widths.perimeter};
    for (int c = kName; c <= kPerimeter; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, std::max(stored[c], list_->columnWidth(c)));
    }
    for (int c = kAllowance; c < columnCount; ++c) {
        list_->resizeColumnToContents(c);
    }

    auto* column = new QVBoxLayout(this);
    column->addWidget(list_);
    column->addWidget(OkButton(*this));
    // Room for every column and a dozen rows at the current font.
    const int line = fontMetrics().height();
    int columns = 0;
    for (int c = kName; c < columnCount; ++c) {
        columns += list_->columnWidth(c);
    }
    resize(std::max(columns + 4 * line, 24 * line),
           20 * line);
}

RoomSummaryWidths CRoomSummaryDlg::Widths() const {
    return {list_->columnWidth(kName), list_->columnWidth(kArea), list_->columnWidth(kPerimeter)};
}

}  // namespace plantrek
