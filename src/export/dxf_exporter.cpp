#include "export/dxf_exporter.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <exception>
#include <set>
#include <vector>

#include "document/files/system_error_text.h"
#include "export/dxf_ascii_writer.h"
#include "export/export_file.h"
#include "export/export_levels.h"
#include "export/numeric_locale_guard.h"
#include "model/room.h"
#include "model/site.h"
#include "model/units.h"
#include "model/wall.h"
#include "render/opening_symbols.h"

namespace plantrek {

namespace {

const char* const kLayerZero = "0";
const char* const kLayerRooms = "Rooms";
const char* const kLayerRoomColour = "Room Color";
const char* const kLayerBorder = "Border";
const char* const kLayerLegend = "Legend";
// Doors and passages, and windows, on the layers architects' drawings keep them on.
const char* const kLayerDoors = "A-DOOR";
const char* const kLayerWindows = "A-GLAZ";
const char* const kLinetypeByLayer = "BYLAYER";
const char* const kStyle = "Standard";

constexpr int kColourByBlock = 0;
constexpr int kLayerColour = 250;
constexpr int kLayerLineWeight = 100;

// Group codes of a polyline boundary path, which this version of the hatch writer has no call
// for: path type flag 2 (polyline), "has bulge" 1, "closed" 1, then the vertex count.
constexpr int kGroupPathType = 92;
constexpr int kGroupHasBulge = 72;
constexpr int kGroupClosed = 73;
constexpr int kGroupVertexCount = 93;
constexpr int kGroupX = 10;
constexpr int kGroupY = 20;
constexpr int kGroupBulge = 42;
constexpr int kPolylinePath = 2;

constexpr double kTextHeight = 0.2;    // meters
constexpr double kLegendSize = 0.2;    // meters
constexpr double kBorderMargin = 0.5;  // meters
constexpr int kJustifyMiddle = 4;
// The walls are lines; an opening's jambs and a window's glazing are drawn this far either side.
constexpr double kOpeningHalfDepth = 0.05;  // meters

double Degrees(double radians) {
    const double degrees = radians * 180.0 / M_PI;
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

struct LayersInUse {
    bool doors = false;
    bool windows = false;
};

LayersInUse OpeningLayers(const Site& site, int level) {
    LayersInUse used;
    for (const auto& room : site.Rooms()) {
        if (level >= 0 && room->GetLevel() != level) {
            continue;
        }
        for (const auto& wall : room->UserWalls()) {
            for (const Opening& opening : wall->GetOpenings()) {
                (opening.kind == OpeningKind::Window ? used.windows : used.doors) = true;
            }
        }
    }
    return used;
}

DL_Attributes Attributes(const std::string& layer, int colour) {
    return DL_Attributes(layer, colour, 0, kLinetypeByLayer, 1.0);
}

DL_HatchData SolidHatch() {
    return DL_HatchData(1, true, 1.0, 0.0, "");
}

DL_InsertData InsertOf(const std::string& block) {
    return DL_InsertData(block, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 0.0, 0, 0, 0.0, 0.0);
}

}  // namespace

DxfExporter::DxfExporter(QString fileName, bool metric, Colour wallColour, int level)
    : fileName_(std::move(fileName)), metric_(metric), level_(level) {
    std::set<int> taken;
    wallColourIndex_ = palette_.NearestColourIndex(wallColour, taken);
}

DxfExporter::~DxfExporter() {
    Release();
}

int DxfExporter::MaterialColourIndex(const Material* material) const {
    const auto it = materialColours_.find(material);
    return it == materialColours_.end() ? kColourByBlock : it->second;
}

std::string DxfExporter::LayerOf(const char* layer, const Room& room) const {
    if (levelPrefixes_.empty()) {
        return layer;
    }
    const auto place = static_cast<std::size_t>(room.GetLevel());
    return (place < levelPrefixes_.size() ? levelPrefixes_[place] : levelPrefixes_.front()) + layer;
}

double DxfExporter::ToOutput(double meters) const {
    return metric_ ? meters : meters / kFoot;
}

void DxfExporter::VisitSiteBegin(const Site& site) {
    site_ = &site;
    bounds_.VisitSiteBegin(site);

    // Materials in use get pairwise different indices, so that the legend tells them apart even
    // when two of them share a colour.
    materialColours_.clear();
    std::set<int> taken;
    for (const auto& material : site.Materials()) {
        if (material && IsMaterialUsedOnLevel(site, *material, level_)) {
            materialColours_[material.get()] =
                palette_.NearestColourIndex(material->GetColour(), taken);
        }
    }
    blockNames_ = DxfBlockNames(site);
    levelPrefixes_.clear();
    if (site.HasLevels()) {
        // Each level's layers apart; two names that read alike once cleaned get a number.
        std::set<std::string> taken;
        for (const Level& level : site.Levels()) {
            QString name = DxfLayerName(level.name);
            if (name.isEmpty()) {
                name = QStringLiteral("Level");
            }
            std::string prefix = name.toStdString();
            for (int n = 2; !taken.insert(prefix).second; ++n) {
                prefix = (name + QStringLiteral(" %1").arg(n)).toStdString();
            }
            levelPrefixes_.push_back(prefix + "-");
        }
    }

    if (!OpenWriter()) {
        return;
    }
    DL_WriterA& dw = *writer_;
    dxf_->writeHeader(dw);
    dw.sectionEnd();
    WriteTables(site);

    dw.sectionBlocks();
    for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf_->writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
        dxf_->writeEndBlock(dw, name);
    }
}

bool DxfExporter::OpenWriter() {
    try {
        temporary_ = std::make_unique<QTemporaryFile>(
            QDir::temp().filePath(QStringLiteral("plantrek-XXXXXX.dxf")));
        if (!temporary_->open()) {
            saveReason_ = temporary_->errorString();
            Release();
            return false;
        }
        // The library opens the file by name itself.
        temporary_->close();
        const QByteArray path = QFile::encodeName(temporary_->fileName());
        dxf_ = std::make_unique<DL_Dxf>();
        {
            const StreamLocaleGuard streamLocale;
            // The library's own writer is made only to set the drawing's version, and closed
            // again; the one that writes is ours, on the same file.
            writer_.reset(dxf_->out(path.constData(), DL_Codes::AC1015));
            if (writer_) {
                writer_.reset();
                writer_ = std::make_unique<DxfAsciiWriter>(path.constData(), DL_Codes::AC1015);
                if (writer_->openFailed()) {
                    writer_.reset();
                }
            }
        }
        if (!writer_) {
            Release();
            return false;
        }
        numericLocale_ = std::make_unique<NumericLocaleGuard>();
        return true;
    } catch (const std::exception&) {
        Release();
        return false;
    }
}

void DxfExporter::WriteTables(const Site& site) {
    DL_WriterA& dw = *writer_;
    dw.sectionTables();
    dxf_->writeVPort(dw);

    dw.tableLinetypes(3);
    for (const char* name : {"BYBLOCK", "BYLAYER", "CONTINUOUS"}) {
        dxf_->writeLinetype(dw, DL_LinetypeData(name, "", 0, 0, 0.0));
    }
    dw.tableEnd();

    // The layers of openings only where the site has them: a site without keeps its drawing.
    std::vector<std::string> layers{kLayerZero};
    const auto roomLayers = [&](const std::string& prefix, int level) {
        layers.push_back(prefix + kLayerRooms);
        layers.push_back(prefix + kLayerRoomColour);
        const LayersInUse openings = OpeningLayers(site, level);
        if (openings.doors) {
            layers.push_back(prefix + kLayerDoors);
        }
        if (openings.windows) {
            layers.push_back(prefix + kLayerWindows);
        }
    };
    if (levelPrefixes_.empty()) {
        roomLayers("", Site::kEveryLevel);
    }
    layers.push_back(kLayerBorder);
    layers.push_back(kLayerLegend);
    if (levelPrefixes_.empty()) {
        // The openings' layers after the border and legend, as they always stood.
        std::rotate(layers.begin() + 3, layers.end() - 2, layers.end());
    } else {
        for (const int level : LevelsToExport(site, level_)) {
            roomLayers(levelPrefixes_[static_cast<std::size_t>(level)], level);
        }
    }
    dw.tableLayers(static_cast<int>(layers.size()));
    for (const std::string& name : layers) {
        dxf_->writeLayer(dw, DL_LayerData(name, 0),
                         DL_Attributes("", kLayerColour, kLayerLineWeight, "CONTINUOUS", 1.0));
    }
    dw.tableEnd();

    dw.tableStyle(1);
    dxf_->writeStyle(dw, DL_StyleData(kStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dw.tableEnd();
    dxf_->writeView(dw);
    dxf_->writeUcs(dw);

    dw.tableAppid(1);
    dw.tableAppidEntry(0x12);
    dw.dxfString(2, "ACAD");
    dw.dxfInt(70, 0);
    dw.tableEnd();

    dxf_->writeDimStyle(dw, 0.0, 0.0, 0.0, 0.0, 0.0);

    dxf_->writeBlockRecord(dw);
    for (const auto& room : site.Rooms()) {
        if (room && Exported(*room)) {
            dxf_->writeBlockRecord(dw, blockNames_.Outline(*room));
            dxf_->writeBlockRecord(dw, blockNames_.Fill(*room));
        }
    }
    dxf_->writeBlockRecord(dw, DxfBlockNames::kBorder);
    dxf_->writeBlockRecord(dw, DxfBlockNames::kLegend);
    dw.tableEnd();
    dw.sectionEnd();
}

void DxfExporter::VisitRoomBegin(const Room& room) {
    bounds_.VisitRoomBegin(room);
    current_ = room.GetLocation();
    vertices_.clear();
    vertices_.push_back({ToOutput(current_.x), ToOutput(current_.y), 0.0, 0.0});
}

void DxfExporter::VisitWall(const Wall& wall) {
    bounds_.VisitWall(wall);
    current_ += wall.GetVector();
    const double height = wall.GetArcHeight();
    const double chord = wall.GetLength();
    if (!IsZero(height) && chord > 0.0 && !vertices_.empty()) {
        // An arc bowing to the left of the wall turns clockwise, which DXF counts negative.
        vertices_.back().bulge = -2.0 * height / chord;
    }
    vertices_.push_back({ToOutput(current_.x), ToOutput(current_.y), 0.0, 0.0});
}

void DxfExporter::VisitRoomEnd(const Room& room) {
    if (!writer_) {
        return;
    }
    WriteFillBlock(room);
    WriteOutlineBlock(room);
}

void DxfExporter::WriteHatchPolyline(const DL_Attributes& attributes) {
    DL_WriterA& dw = *writer_;
    dxf_->writeHatch1(dw, SolidHatch(), attributes);
    dw.dxfInt(kGroupPathType, kPolylinePath);
    dw.dxfInt(kGroupHasBulge, 1);
    dw.dxfInt(kGroupClosed, 1);
    dw.dxfInt(kGroupVertexCount, static_cast<int>(vertices_.size()));
    for (const Vertex& vertex : vertices_) {
        dw.dxfReal(kGroupX, vertex.x);
        dw.dxfReal(kGroupY, vertex.y);
        dw.dxfReal(kGroupBulge, vertex.bulge);
    }
    dxf_->writeHatchLoop2(dw, DL_HatchLoopData(static_cast<int>(vertices_.size())));
    dxf_->writeHatch2(dw, SolidHatch(), attributes);
}

void DxfExporter::WriteFillBlock(const Room& room) {
    DL_WriterA& dw = *writer_;
    const std::string name = blockNames_.Fill(room);
    dxf_->writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
    if (room.IsClosed()) {
        const int colour = site_ != nullptr
                               ? MaterialColourIndex(site_->FindMaterialByIndex(room.GetMaterial()))
                               : kColourByBlock;
        WriteHatchPolyline(Attributes(LayerOf(kLayerRoomColour, room), colour));
    }
    dxf_->writeEndBlock(dw, name);
}

void DxfExporter::WriteOutlineBlock(const Room& room) {
    DL_WriterA& dw = *writer_;
    const std::string name = blockNames_.Outline(room);
    dxf_->writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
    const bool closed = room.IsClosed();
    const DL_Attributes outline = Attributes(LayerOf(kLayerRooms, room), wallColourIndex_);
    if (vertices_.size() > 1) {
        if (closed) {
            dxf_->writePolyline(dw, DL_PolylineData(static_cast<int>(vertices_.size()), 0, 0, 1),
                                outline);
            for (const Vertex& v : vertices_) {
                dxf_->writeVertex(dw, DL_VertexData(v.x, v.y, v.z, v.bulge));
            }
            dxf_->writePolylineEnd(dw);
        } else {
            // An open chain is drawn wall by wall, arcs as their chords.
            for (std::size_t i = 1; i < vertices_.size(); ++i) {
                const Vertex& from = vertices_[i];
                const Vertex& to = vertices_[i - 1];
                dxf_->writeLine(dw, DL_LineData(from.x, from.y, 0.0, to.x, to.y, 0.0), outline);
            }
        }
    }
    if (closed) {
        // The centroid is kept as an offset from the room's start point, except for an outline
        // too short to have one.
        PlanPoint centre = room.GetCentroid();
        if (room.GetVertices(false).size() >= 3) {
            centre += room.GetStartPoint();
        }
        dxf_->writeText(dw,
                        DL_TextData(0.0, 0.0, 0.0, ToOutput(centre.x), ToOutput(centre.y), 0.0,
                                    ToOutput(kTextHeight), 1.0, 0, kJustifyMiddle, 0,
                                    ToDxfText(room.GetName()), kStyle, 0.0),
                        Attributes(LayerOf(kLayerRooms, room), kColourByBlock));
    }
    WriteOpenings(room);
    dxf_->writeEndBlock(dw, name);
}

void DxfExporter::WriteOpenings(const Room& room) {
    DL_WriterA& dw = *writer_;
    const auto line = [&](PlanPoint from, PlanPoint to, const DL_Attributes& attributes) {
        dxf_->writeLine(dw,
                        DL_LineData(ToOutput(from.x), ToOutput(from.y), 0.0, ToOutput(to.x),
                                    ToOutput(to.y), 0.0),
                        attributes);
    };
    for (const PlacedOpening& placed : PlaceOpenings(room)) {
        const Opening& opening = *placed.opening;
        const bool window = opening.kind == OpeningKind::Window;
        const DL_Attributes attributes =
            Attributes(LayerOf(window ? kLayerWindows : kLayerDoors, room), wallColourIndex_);
        const PlanPoint across = placed.intoRoom * kOpeningHalfDepth;
        line(placed.start - across, placed.start + across, attributes);
        line(placed.end - across, placed.end + across, attributes);
        if (window) {
            line(placed.start - across, placed.end - across, attributes);
            line(placed.start + across, placed.end + across, attributes);
        } else if (opening.kind == OpeningKind::Door) {
            const DoorSwing swing = DoorSwingOf(placed);
            line(swing.hinge, swing.open, attributes);
            // An arc runs anticlockwise from its first angle to its second.
            const bool anticlockwise =
                std::remainder(swing.closedAngle - swing.openAngle, 2.0 * M_PI) > 0.0;
            const double from = anticlockwise ? swing.openAngle : swing.closedAngle;
            const double to = anticlockwise ? swing.closedAngle : swing.openAngle;
            dxf_->writeArc(dw,
                           DL_ArcData(ToOutput(swing.hinge.x), ToOutput(swing.hinge.y), 0.0,
                                      ToOutput(swing.radius), Degrees(from), Degrees(to)),
                           attributes);
        }
    }
}

void DxfExporter::VisitSiteEnd(const Site& site) {
    if (!writer_) {
        errorText_ = SaveFileError(saveReason_);
        Release();
        return;
    }
    const double left = ToOutput(bounds_.MinX() - kBorderMargin);
    const double right = ToOutput(bounds_.MaxX() + kBorderMargin);
    const double bottom = ToOutput(bounds_.MinY() - kBorderMargin);
    const double top = ToOutput(bounds_.MaxY() + kBorderMargin);
    WriteBorderBlock(left, right, bottom, top);
    WriteLegendBlock(site, right, top);
    writer_->sectionEnd();
    WriteEntities(site);
    if (!CloseAndCommit()) {
        errorText_ = SaveFileError(saveReason_);
    }
    Release();
}

void DxfExporter::WriteSquare(double x, double y, double s, const DL_Attributes& attributes) {
    DL_WriterA& dw = *writer_;
    dxf_->writeLine(dw, DL_LineData(x, y, 0.0, x + s, y, 0.0), attributes);
    dxf_->writeLine(dw, DL_LineData(x + s, y, 0.0, x + s, y + s, 0.0), attributes);
    dxf_->writeLine(dw, DL_LineData(x + s, y + s, 0.0, x, y + s, 0.0), attributes);
    dxf_->writeLine(dw, DL_LineData(x, y + s, 0.0, x, y, 0.0), attributes);
}

void DxfExporter::WriteBorderBlock(double left, double right, double bottom, double top) {
    DL_WriterA& dw = *writer_;
    const DL_Attributes border = Attributes(kLayerBorder, kColourByBlock);
    dxf_->writeBlock(dw, DL_BlockData(DxfBlockNames::kBorder, 0, 0.0, 0.0, 0.0));
    dxf_->writeLine(dw, DL_LineData(left, top, 0.0, right, top, 0.0), border);
    dxf_->writeLine(dw, DL_LineData(right, top, 0.0, right, bottom, 0.0), border);
    dxf_->writeLine(dw, DL_LineData(right, bottom, 0.0, left, bottom, 0.0), border);
    dxf_->writeLine(dw, DL_LineData(left, bottom, 0.0, left, top, 0.0), border);
    dxf_->writeEndBlock(dw, DxfBlockNames::kBorder);
}

void DxfExporter::WriteLegendBlock(const Site& site, double right, double top) {
    DL_WriterA& dw = *writer_;
    const double size = ToOutput(kLegendSize);
    const double x = right + size;
    double y = top - 1.5 * size;
    dxf_->writeBlock(dw, DL_BlockData(DxfBlockNames::kLegend, 0, 0.0, 0.0, 0.0));
    for (const auto& material : site.Materials()) {
        if (material && IsMaterialUsedOnLevel(site, *material, level_)) {
            WriteLegendEntry(x, y, size, MaterialColourIndex(material.get()), material->GetName());
            y -= 1.5 * size;
        }
    }
    dxf_->writeEndBlock(dw, DxfBlockNames::kLegend);
}

void DxfExporter::WriteLegendEntry(double x, double y, double s, int colourIndex,
                                   const QString& name) {
    DL_WriterA& dw = *writer_;
    const DL_Attributes swatch = Attributes(kLayerLegend, colourIndex);
    dxf_->writeHatch1(dw, SolidHatch(), swatch);
    dxf_->writeHatchLoop1(dw, DL_HatchLoopData(4));
    dxf_->writeHatchEdge(dw, DL_HatchEdgeData(x, y, x + s, y));
    dxf_->writeHatchEdge(dw, DL_HatchEdgeData(x + s, y, x + s, y + s));
    dxf_->writeHatchEdge(dw, DL_HatchEdgeData(x + s, y + s, x, y + s));
    dxf_->writeHatchEdge(dw, DL_HatchEdgeData(x, y + s, x, y));
    dxf_->writeHatchLoop2(dw, DL_HatchLoopData(4));
    dxf_->writeHatch2(dw, SolidHatch(), swatch);

    const DL_Attributes legend = Attributes(kLayerLegend, kColourByBlock);
    WriteSquare(x, y, s, legend);
    dxf_->writeText(dw,
                    DL_TextData(x + 2.0 * s, y, 0.0, 0.0, 0.0, 0.0, s, 1.0, 0, 0, 0,
                                ToDxfText(name), kStyle, 0.0),
                    legend);
}

void DxfExporter::WriteEntities(const Site& site) {
    DL_WriterA& dw = *writer_;
    dw.sectionEntities();
    for (const auto& room : site.Rooms()) {
        if (room && Exported(*room)) {
            dxf_->writeInsert(dw, InsertOf(blockNames_.Fill(*room)),
                              Attributes(LayerOf(kLayerRoomColour, *room), kColourByBlock));
            dxf_->writeInsert(dw, InsertOf(blockNames_.Outline(*room)),
                              Attributes(LayerOf(kLayerRooms, *room), kColourByBlock));
        }
    }
    dxf_->writeInsert(dw, InsertOf(DxfBlockNames::kBorder),
                      Attributes(kLayerBorder, kColourByBlock));
    dxf_->writeInsert(dw, InsertOf(DxfBlockNames::kLegend),
                      Attributes(kLayerLegend, kColourByBlock));
    dw.sectionEnd();
}

bool DxfExporter::CloseAndCommit() {
    DL_WriterA& dw = *writer_;
    dxf_->writeObjects(dw);
    dxf_->writeObjectsEnd(dw);
    dw.dxfEOF();
    errno = 0;
    dw.close();
    // The stream's state after closing tells whether every write and the final flush worked;
    // the stream keeps no reason, the system's last error is the best there is.
    if (dw.openFailed()) {
        const int code = errno;
        saveReason_ = code != 0 ? GetSystemErrorText(code) : QString();
        return false;
    }
    QFile drawing(temporary_->fileName());
    if (!drawing.open(QIODevice::ReadOnly)) {
        saveReason_ = drawing.errorString();
        return false;
    }
    ExportFile target(fileName_);
    if (!target.Open()) {
        saveReason_ = target.Reason();
        return false;
    }
    constexpr qint64 kChunk = 1 << 16;
    while (!drawing.atEnd()) {
        const QByteArray chunk = drawing.read(kChunk);
        if (chunk.isEmpty()) {
            saveReason_ = drawing.errorString();
            return false;
        }
        if (target.write(chunk) != chunk.size()) {
            saveReason_ = target.Reason();
            return false;
        }
    }
    if (!target.Commit()) {
        saveReason_ = target.Reason();
        return false;
    }
    return true;
}

void DxfExporter::Release() {
    writer_.reset();
    dxf_.reset();
    numericLocale_.reset();
    temporary_.reset();
}

ExportResult ExportDxf(const Site* site, bool metric, Colour wallColour, const QString& path,
                       int level) {
    if (site == nullptr) {
        return ExportResult::Failure(kErrorNoSite);
    }
    if (level >= 0 ? site->CountRoomsOnLevel(level) == 0 : site->RoomCount() == 0) {
        return ExportResult::Failure(kErrorNoRooms);
    }
    try {
        DxfExporter exporter(path, metric, wallColour, level);
        site->Traverse(exporter, level);
        if (!exporter.ErrorText().isEmpty()) {
            return ExportResult::Failure(exporter.ErrorText());
        }
    } catch (const std::exception&) {
        return ExportResult::Failure(kErrorSaveFile);
    }
    return ExportResult::Success();
}

}  // namespace plantrek
