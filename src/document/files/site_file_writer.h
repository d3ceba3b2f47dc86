#pragma once

#include <QString>

#include <memory>

#include "model/geometry.h"
#include "model/opening.h"
#include "model/room.h"
#include "model/site_visitor.h"

class QIODevice;

namespace plantrek {

class AnnotationList;
class CXmlWriter;

// The names this program added to the site file for openings, ceiling heights, material
// allowances and levels. Other programs read the file too: they skip what they do not know but take
// any element of a name they know for their own wherever it stands, so none of these names is used
// for anything else in the file, the new element has no children, and all of them are written
// only where used, leaving a site without them byte for byte as before.
namespace site_file_names {
// An empty element straight after the user `wall` it stands on, one per opening.
inline const QString kOpeningElement = QStringLiteral("wallOpening");
inline const QString kOpeningKind = QStringLiteral("openingKind");      // door, window, opening
inline const QString kOpeningOffset = QStringLiteral("openingOffset");  // m from the wall's start
inline const QString kOpeningWidth = QStringLiteral("openingWidth");    // m
inline const QString kOpeningHeight = QStringLiteral("openingHeight");  // m
inline const QString kOpeningSill = QStringLiteral("sillHeight");       // m, windows only
inline const QString kDoorHinge = QStringLiteral("hingeSide");          // left, right; doors only
inline const QString kDoorSwing = QStringLiteral("doorSwing");          // in, out; doors only
// On `room`, when the room has a height of its own (m).
inline const QString kCeilingHeight = QStringLiteral("ceilingHeight");
// On `material`, when set: the waste allowance (percent) and the area of a pack (m²).
inline const QString kWastePercent = QStringLiteral("wastePercent");
inline const QString kPackArea = QStringLiteral("packArea");
// An empty element per level, lowest first, after the site's notes and before the rooms; written
// only when the site has more than the one ground floor at 0 with the program's height.
inline const QString kLevelElement = QStringLiteral("siteLevel");
inline const QString kLevelName = QStringLiteral("levelName");            // escaped text
inline const QString kLevelElevation = QStringLiteral("levelElevation");  // m, minus below datum
inline const QString kLevelHeight = QStringLiteral("levelHeight");  // m, when not the program's
// On `room`, when it is not on the first level: its level's place among the `siteLevel`
// elements in file order, from 0. A room without it stands on the first of them.
inline const QString kRoomLevel = QStringLiteral("levelIndex");
}  // namespace site_file_names

// A close rule as site files name it: "square", "reverse square" or "angle".
QString CloseRuleText(CloseRule rule);

// Writes a site as a ".tcd" file while Site::Traverse walks it: the materials the rooms use, the
// site with its start point, bounds and notes, then every room with its location, notes, walls
// (user walls, then the closing walls continuing the chain) and start point.
//
// The first failed write ends all output; HasFailed and ErrorString tell the caller afterwards.
class CSiteFileWriter : public CSiteVisitor {
public:
    // fileName is the name the file is saved under, without its folder; it is recorded in the
    // file's root element.
    CSiteFileWriter(QIODevice& device, QString fileName);
    ~CSiteFileWriter() override;

    CSiteFileWriter(const CSiteFileWriter&) = delete;
    CSiteFileWriter& operator=(const CSiteFileWriter&) = delete;

    void VisitSiteBegin(const Site& site) override;
    void VisitRoomBegin(const Room& room) override;
    void VisitWall(const Wall& wall) override;
    void VisitRoomEnd(const Room& room) override;
    void VisitSiteEnd(const Site& site) override;

    // Pushes buffered output to the device; false when anything so far went wrong.
    bool Finish();
    bool HasFailed() const;
    QString ErrorString() const;

    // How a number stands in the file: fixed point with six decimals, "." whatever the locale.
    static QString FormatNumber(double value);

private:
    CXmlWriter& Writer();
    void WriteAnnotations(const AnnotationList& annotations);
    void WritePointElement(const QString& name, PlanPoint point);
    void WriteOpenings(const OpeningList& openings);
    void WriteLevels(const Site& site);
    void Fail(const QString& reason);

    QIODevice& device_;
    QString fileName_;
    std::unique_ptr<CXmlWriter> writer_;
    PlanPoint current_;
    long nextRoomId_ = 1;
    // A failure that is not the device's own, such as audio that could not be read.
    QString failure_;
};

}  // namespace plantrek
