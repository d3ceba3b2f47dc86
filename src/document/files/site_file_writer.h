#pragma once

#include <QString>

#include <memory>

#include "model/geometry.h"
#include "model/room.h"
#include "model/site_visitor.h"

class QIODevice;

namespace plantrek {

class AnnotationList;
class CXmlWriter;

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
