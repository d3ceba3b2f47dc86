#include "document/files/site_file_writer.h"

#include <QIODevice>

#include <charconv>
#include <cmath>
#include <utility>

#include "audio/annotation_list.h"
#include "document/files/xml_writer.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"

namespace plantrek {

namespace {

const QString kRootElement = QStringLiteral("tcdisto");
const QString kMaterialElement = QStringLiteral("material");
const QString kSiteElement = QStringLiteral("site");
const QString kStartPointElement = QStringLiteral("startpoint");
const QString kSiteBoundsElement = QStringLiteral("sitebounds");
const QString kAnnotationElement = QStringLiteral("annotation");
const QString kRoomElement = QStringLiteral("room");
const QString kLocationElement = QStringLiteral("location");
const QString kWallElement = QStringLiteral("wall");
const QString kRoomOriginElement = QStringLiteral("roomOrigin");

// The document version that readers of our files know.
const QString kDocumentVersion = QStringLiteral("1.1");

QString WallKindText(WallKind kind) {
    switch (kind) {
        case WallKind::User:
            return QStringLiteral("user");
        case WallKind::System:
            return QStringLiteral("system");
        case WallKind::Removed:
            return QStringLiteral("removed");
    }
    return QStringLiteral("unknown");
}

QString OpeningKindText(OpeningKind kind) {
    switch (kind) {
        case OpeningKind::Door:
            return QStringLiteral("door");
        case OpeningKind::Window:
            return QStringLiteral("window");
        case OpeningKind::Passage:
            return QStringLiteral("opening");
    }
    return QStringLiteral("opening");
}

QString QuotedNumber(double value) {
    return XmlQuote(CSiteFileWriter::FormatNumber(value));
}

QString QuotedInteger(long value) {
    return XmlQuote(QString::number(value));
}

}  // namespace

QString CloseRuleText(CloseRule rule) {
    switch (rule) {
        case CloseRule::Square:
            return QStringLiteral("square");
        case CloseRule::ReverseSquare:
            return QStringLiteral("reverse square");
        case CloseRule::Angled:
            return QStringLiteral("angle");
    }
    return QStringLiteral("unknown");
}

CSiteFileWriter::CSiteFileWriter(QIODevice& device, QString fileName)
    : device_(device), fileName_(std::move(fileName)) {}

CSiteFileWriter::~CSiteFileWriter() = default;

QString CSiteFileWriter::FormatNumber(double value) {
    // "%f" as Qt's formatting has always written it, whatever the user's locale: a zero and a
    // NaN without a sign. The largest double takes 309 digits before the point.
    if (std::isnan(value)) {
        return QStringLiteral("nan");
    }
    if (value == 0.0) {
        value = 0.0;
    }
    char text[400];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    if (error != std::errc()) {
        return QString::asprintf("%f", value);
    }
    return QString::fromLatin1(text, end - text);
}

CXmlWriter& CSiteFileWriter::Writer() {
    if (!writer_) {
        writer_ = std::make_unique<CXmlWriter>(device_);
    }
    return *writer_;
}

bool CSiteFileWriter::HasFailed() const {
    return !failure_.isEmpty() || (writer_ && writer_->HasFailed());
}

QString CSiteFileWriter::ErrorString() const {
    if (writer_ && writer_->HasFailed()) {
        return writer_->ErrorString();
    }
    return failure_;
}

void CSiteFileWriter::Fail(const QString& reason) {
    if (failure_.isEmpty()) {
        failure_ = reason;
    }
}

bool CSiteFileWriter::Finish() {
    if (HasFailed()) {
        return false;
    }
    return Writer().Finish();
}

void CSiteFileWriter::WritePointElement(const QString& name, PlanPoint point) {
    XmlAttributeMap attributes;
    attributes.Set(QStringLiteral("x"), QuotedNumber(point.x));
    attributes.Set(QStringLiteral("y"), QuotedNumber(point.y));
    Writer().StartElement(name, attributes, true);
}

void CSiteFileWriter::WriteAnnotations(const AnnotationList& annotations) {
    for (int track = 0; track < annotations.Count() && !HasFailed(); ++track) {
        const Annotation& annotation = *annotations.At(track);
        XmlAttributeMap attributes;
        attributes.Set(QStringLiteral("track"), QuotedInteger(track));
        attributes.Set(QStringLiteral("type"), XmlQuote(annotation.GetType()));
        if (!annotation.Name().isEmpty()) {
            attributes.Set(QStringLiteral("name"), XmlQuote(XmlEscape(annotation.Name())));
        }
        CXmlWriter& writer = Writer();
        writer.StartElement(kAnnotationElement, attributes, false);
        // Each piece stands after its own indentation, with no line end of its own.
        const bool complete = annotation.ForEachAudioPiece(
            [&writer](const QString& piece) { return writer.Text(piece); });
        if (!complete && !writer.HasFailed()) {
            // Saving without the audio would lose the recording for good.
            Fail(QStringLiteral("The audio of a recorded note could not be read."));
            return;
        }
        writer.EndElement(kAnnotationElement);
    }
}

void CSiteFileWriter::VisitSiteBegin(const Site& site) {
    CXmlWriter& writer = Writer();
    writer.BeginDocument();

    XmlAttributeMap root;
    root.Set(QStringLiteral("version"), XmlQuote(kDocumentVersion));
    root.Set(QStringLiteral("name"), XmlQuote(XmlEscape(fileName_)));
    writer.StartElement(kRootElement, root, false);

    // Only the materials some room uses; the rest come back from the template on opening.
    for (const auto& material : site.Materials()) {
        if (!site.IsMaterialUsed(*material)) {
            continue;
        }
        XmlAttributeMap attributes;
        attributes.Set(QStringLiteral("style"), XmlQuote(XmlEscape(material->GetName())));
        attributes.Set(QStringLiteral("id"), QuotedInteger(material->GetIndex()));
        attributes.Set(QStringLiteral("color"),
                       QuotedInteger(static_cast<qint32>(material->GetColour())));
        if (material->GetWastePercent() > 0.0) {
            attributes.Set(site_file_names::kWastePercent,
                           QuotedNumber(material->GetWastePercent()));
        }
        if (material->GetPackArea() > 0.0) {
            attributes.Set(site_file_names::kPackArea, QuotedNumber(material->GetPackArea()));
        }
        writer.StartElement(kMaterialElement, attributes, true);
    }

    XmlAttributeMap siteAttributes;
    siteAttributes.Set(QStringLiteral("name"), XmlQuote(XmlEscape(site.GetName())));
    siteAttributes.Set(QStringLiteral("index"), XmlQuote(QStringLiteral("0")));
    writer.StartElement(kSiteElement, siteAttributes, false);

    WritePointElement(kStartPointElement, site.GetStartPoint());

    CSiteBoundsVisitor bounds;
    site.Traverse(bounds);
    XmlAttributeMap boundsAttributes;
    boundsAttributes.Set(QStringLiteral("left"), QuotedNumber(bounds.MinX()));
    boundsAttributes.Set(QStringLiteral("right"), QuotedNumber(bounds.MaxX()));
    boundsAttributes.Set(QStringLiteral("bottom"), QuotedNumber(bounds.MinY()));
    boundsAttributes.Set(QStringLiteral("top"), QuotedNumber(bounds.MaxY()));
    writer.StartElement(kSiteBoundsElement, boundsAttributes, true);

    WriteAnnotations(site.Annotations());
    WriteLevels(site);
}

void CSiteFileWriter::WriteLevels(const Site& site) {
    namespace n = site_file_names;
    if (HasFailed() || !site.HasLevels()) {
        return;
    }
    for (const Level& level : site.Levels()) {
        XmlAttributeMap attributes;
        attributes.Set(n::kLevelName, XmlQuote(XmlEscape(level.name)));
        attributes.Set(n::kLevelElevation, QuotedNumber(level.elevation));
        if (level.height > 0.0) {
            attributes.Set(n::kLevelHeight, QuotedNumber(level.height));
        }
        Writer().StartElement(n::kLevelElement, attributes, true);
    }
}

void CSiteFileWriter::VisitRoomBegin(const Room& room) {
    if (HasFailed()) {
        return;
    }
    XmlAttributeMap attributes;
    attributes.Set(QStringLiteral("name"), XmlQuote(XmlEscape(room.GetName())));
    attributes.Set(QStringLiteral("id"), QuotedInteger(nextRoomId_++));
    attributes.Set(QStringLiteral("close"), XmlQuote(CloseRuleText(room.GetCloseRule())));
    attributes.Set(QStringLiteral("closed"),
                   XmlQuote(room.IsClosed() ? QStringLiteral("true") : QStringLiteral("false")));
    attributes.Set(QStringLiteral("material"), QuotedInteger(room.GetMaterial()));
    if (room.GetCeilingHeight() > 0.0) {
        attributes.Set(site_file_names::kCeilingHeight, QuotedNumber(room.GetCeilingHeight()));
    }
    if (room.GetLevel() > 0) {
        attributes.Set(site_file_names::kRoomLevel, QuotedInteger(room.GetLevel()));
    }
    Writer().StartElement(kRoomElement, attributes, false);

    WritePointElement(kLocationElement, room.GetLocation());
    WriteAnnotations(room.Annotations());
    current_ = room.GetLocation();
}

void CSiteFileWriter::VisitWall(const Wall& wall) {
    if (HasFailed()) {
        return;
    }
    // Walls are stored by their end points; the closing walls simply continue the chain.
    current_ += wall.GetVector();
    XmlAttributeMap attributes;
    attributes.Set(QStringLiteral("x"), QuotedNumber(current_.x));
    attributes.Set(QStringLiteral("y"), QuotedNumber(current_.y));
    attributes.Set(QStringLiteral("type"), XmlQuote(WallKindText(wall.GetKind())));
    if (std::fabs(wall.GetArcHeight()) >= kZeroTolerance) {
        attributes.Set(QStringLiteral("projection"), QuotedNumber(wall.GetArcHeight()));
    }
    Writer().StartElement(kWallElement, attributes, true);
    if (wall.GetKind() == WallKind::User) {
        WriteOpenings(wall.GetOpenings());
    }
}

void CSiteFileWriter::WriteOpenings(const OpeningList& openings) {
    namespace n = site_file_names;
    for (const Opening& opening : openings) {
        XmlAttributeMap attributes;
        attributes.Set(n::kOpeningKind, XmlQuote(OpeningKindText(opening.kind)));
        attributes.Set(n::kOpeningOffset, QuotedNumber(opening.offset));
        attributes.Set(n::kOpeningWidth, QuotedNumber(opening.width));
        attributes.Set(n::kOpeningHeight, QuotedNumber(opening.height));
        if (opening.kind == OpeningKind::Window) {
            attributes.Set(n::kOpeningSill, QuotedNumber(opening.sill));
        }
        if (opening.kind == OpeningKind::Door) {
            attributes.Set(n::kDoorHinge, XmlQuote(opening.hinge == DoorHinge::Left
                                                       ? QStringLiteral("left")
                                                       : QStringLiteral("right")));
            attributes.Set(n::kDoorSwing, XmlQuote(opening.opensInward ? QStringLiteral("in")
                                                                       : QStringLiteral("out")));
        }
        Writer().StartElement(n::kOpeningElement, attributes, true);
    }
}

void CSiteFileWriter::VisitRoomEnd(const Room& room) {
    if (HasFailed()) {
        return;
    }
    WritePointElement(kRoomOriginElement, room.GetStartPoint());
    Writer().EndElement(kRoomElement);
}

void CSiteFileWriter::VisitSiteEnd(const Site& /*site*/) {
    if (HasFailed()) {
        return;
    }
    Writer().EndElement(kSiteElement);
    Writer().EndElement(kRootElement);
}

}  // namespace plantrek
