#pragma once

#include <QString>
#include <QStringList>

#include "model/units.h"

// What the "Add Projection" dialog offers: the values it remembers between uses and the lengths
// and depths in its drop-down lists.
namespace plantrek {

class Wall;

// The projection length and depth last confirmed, kept while the program runs and never saved.
class ProjectionMemory {
public:
    static constexpr double kInitialLength = 30.0 * kInch;
    static constexpr double kInitialDepth = 5.0 * kInch;

    double Length() const { return length_; }
    double Depth() const { return depth_; }
    // Called when the dialog is confirmed.
    void Remember(double length, double depth) {
        length_ = length;
        depth_ = depth;
    }

private:
    double length_ = kInitialLength;
    double depth_ = kInitialDepth;
};

// The one memory the program's dialogs share.
ProjectionMemory& ProgramProjectionMemory();

// The length the dialog starts with: the selected wall's, or the remembered one.
double InitialProjectionLength(const Wall* selectedWall, const ProjectionMemory& memory);

// Fixed texts the user picks from or overtypes; they are parsed like any typed length.
QStringList ProjectionLengthPresets(const LengthUnits& units);
QStringList ProjectionDepthPresets(const LengthUnits& units);

}  // namespace plantrek
