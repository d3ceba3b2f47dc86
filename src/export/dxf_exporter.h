#pragma once

#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "export/aci_palette.h"
#include "export/dxf_block_names.h"
#include "export/export_result.h"
#include "model/geometry.h"
#include "model/material.h"
#include "model/room.h"
#include "model/site_visitor.h"

class DL_Dxf;
class DL_WriterA;
class DL_Attributes;
class QTemporaryFile;

// The site as an AutoCAD 2000 (AC1015) drawing: per room a fill block and an outline block
// (which also holds the doors, windows and passages of the room's walls, on layers of their
// own), a border block around the site and a legend block of the materials in use, and nothing
// in the model space but references to these blocks, each on its own layer.
namespace plantrek {

class NumericLocaleGuard;

inline const QString kErrorNoRooms = QStringLiteral("No rooms");

class DxfExporter : public CSiteVisitor {
public:
    // Lengths are written in meters when `metric`, else in decimal feet. The walls are drawn in
    // the palette colour nearest to `wallColour`.
    // Given a level, only its rooms are written. On a site with level data each room's layers
    // carry its level's name before them ("Ground Floor-Rooms").
    DxfExporter(QString fileName, bool metric, Colour wallColour, int level = -1);
    ~DxfExporter() override;
    DxfExporter(const DxfExporter&) = delete;
    DxfExporter& operator=(const DxfExporter&) = delete;

    void VisitSiteBegin(const Site& site) override;
    void VisitRoomBegin(const Room& room) override;
    void VisitWall(const Wall& wall) override;
    void VisitRoomEnd(const Room& room) override;
    void VisitSiteEnd(const Site& site) override;

    // Empty while all is well.
    const QString& ErrorText() const { return errorText_; }

    int WallColourIndex() const { return wallColourIndex_; }
    // The colour index given to a material in use; 0 for any other.
    int MaterialColourIndex(const Material* material) const;

private:
    struct Vertex {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        double bulge = 0.0;
    };

    double ToOutput(double meters) const;
    bool Exported(const Room& room) const { return level_ < 0 || room.GetLevel() == level_; }
    std::string LayerOf(const char* layer, const Room& room) const;
    bool OpenWriter();
    void WriteTables(const Site& site);
    void WriteFillBlock(const Room& room);
    void WriteOutlineBlock(const Room& room);
    void WriteOpenings(const Room& room);
    void WriteBorderBlock(double left, double right, double bottom, double top);
    void WriteLegendBlock(const Site& site, double x, double top);
    void WriteLegendEntry(double x, double y, double size, int colourIndex, const QString& name);
    void WriteSquare(double x, double y, double size, const DL_Attributes& attributes);
    void WriteHatchPolyline(const DL_Attributes& attributes);
    void WriteEntities(const Site& site);
    // Finishes the file and puts it in place of the target; false if anything failed.
    bool CloseAndCommit();
    void Release();

    QString fileName_;
    bool metric_;
    int level_;
    std::vector<std::string> levelPrefixes_;  // empty without level data
    std::unique_ptr<DL_Dxf> dxf_;
    std::unique_ptr<DL_WriterA> writer_;
    // The drawing is written here and copied over the target only when complete.
    std::unique_ptr<QTemporaryFile> temporary_;
    std::unique_ptr<NumericLocaleGuard> numericLocale_;
    const Site* site_ = nullptr;
    PlanPoint current_;
    std::vector<Vertex> vertices_;
    AciPalette palette_;
    std::map<const Material*, int> materialColours_;
    int wallColourIndex_ = 0;
    DxfBlockNames blockNames_;
    CSiteBoundsVisitor bounds_;
    QString errorText_;
    // The system's reason when the file could not be written.
    QString saveReason_;
};

// Writes the site to `path` as a DXF drawing. Fails with "Couldn't get site" without a site,
// "No rooms" for a site without rooms and "Couldn't save file" when the file cannot be
// written; the file at `path` is only replaced by a complete drawing.
// Given a level, only its rooms ("No rooms" when it has none).
ExportResult ExportDxf(const Site* site, bool metric, Colour wallColour, const QString& path,
                       int level = -1);

}  // namespace plantrek
