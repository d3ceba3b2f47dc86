#pragma once

#include <QDialog>

#include "document/settings_store.h"

class QTreeWidget;

// "Room Summary": per material the rooms that use it, with their areas and perimeters and what
// estimators take from them (height, net perimeter, wall areas, volume, door thresholds), and the
// material's own row with the sums and its order: the waste allowance, the area to order and
// the whole packs that cover it. Materials no room uses are left out. With more than one level,
// each room's level in a column of its own, and a last row with the whole site's totals holding
// one row per level with that level's.
namespace plantrek {

class LengthUnits;
class Site;

class CRoomSummaryDlg : public QDialog {
    Q_OBJECT
public:
    // `defaultHeight` stands in for rooms without a ceiling height of their own on levels without
    // a height of their own.
    CRoomSummaryDlg(const Site& site, const LengthUnits& units, const RoomSummaryWidths& widths,
                    double defaultHeight, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    // The columns' widths as they are now; stored when the dialog closes with OK.
    RoomSummaryWidths Widths() const;

private:
    QTreeWidget* list_;
};

}  // namespace plantrek
