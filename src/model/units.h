#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

#include "model/geometry.h"

// Lengths, areas and directions in their text forms, and the primitives on bearings.
// Every length is a double in meters; every direction a compass bearing in degrees clockwise
// from north. The truncated constants below are the ones the program has always used; changing
// them would move every computed outline by a hair, so they stay as they are.
namespace plantrek {

inline constexpr double kPi = 3.1415926;
inline constexpr double kTwoPi = 6.2831852;
inline constexpr double kHalfPi = 1.5707963;
inline constexpr double kDegreesToRadians = 0.01745329252;
inline constexpr double kRadiansToDegrees = 57.29577951;

inline constexpr double kFoot = 0.3048;
inline constexpr double kInch = 0.3048 / 12.0;
inline constexpr double kHalfInch = 0.3048 / 24.0;
inline constexpr double kSquareFoot = 0.3048 * 0.3048;
inline constexpr double kSquareYardInSquareFeet = 9.0;

inline constexpr double kZeroTolerance = 1e-8;
inline constexpr double kPointTolerance = 1e-5;
inline constexpr double kCompassTolerance = 0.5;

inline constexpr double MinWallLength = kInch;
inline constexpr double MaxWallLength = 200.0;

inline const QString kFootMark = QStringLiteral("'");
inline const QString kInchMark = QStringLiteral("\"");
inline const QString kDegreeSign = QStringLiteral("\u00B0");

// The longest leading decimal number of the text, commas removed; 0 when none stands there.
// Only decimal forms are read: "nan", "inf" and hexadecimal are not numbers here. A number too
// large for a double gives an infinity, which every range check refuses.
double ParseNumber(const QString& text);

// Whether a wall length typed by the user lies in [MinWallLength, MaxWallLength), with a 1e-8
// slack below one inch. NaN and infinities fail.
bool IsWallLengthInRange(double meters);

class LengthUnits {
public:
    virtual ~LengthUnits() = default;
    // Where the length part of an (upper-cased) input text ends.
    virtual int FindSplit(const QString& text) const = 0;
    virtual double ParseLength(const QString& text) const = 0;
    // Decodes a reading of the measuring device sent with this object's unit code.
    virtual double ParseDeviceLength(const QString& text) const = 0;
    virtual QString FormatLength(double meters) const = 0;
    virtual QString FormatArea(double squareMeters) const = 0;
    virtual double ToDisplayLength(double meters) const = 0;
    virtual double ToDisplayArea(double squareMeters) const = 0;
    virtual QString LengthUnitName() const = 0;
    virtual QString AreaUnitName() const = 0;
    virtual bool IsMetric() const = 0;
};

class MetricUnits : public LengthUnits {
public:
    explicit MetricUnits(int divisor) : divisor_(divisor) {}
    int FindSplit(const QString& text) const override;
    double ParseLength(const QString& text) const override;
    double ParseDeviceLength(const QString& text) const override;
    QString FormatLength(double meters) const override;
    QString FormatArea(double squareMeters) const override;
    double ToDisplayLength(double meters) const override { return meters; }
    double ToDisplayArea(double squareMeters) const override { return squareMeters; }
    QString LengthUnitName() const override { return QStringLiteral("m"); }
    QString AreaUnitName() const override { return QStringLiteral("sm"); }
    bool IsMetric() const override { return true; }
    int Divisor() const { return divisor_; }

private:
    int divisor_;
};

// Feet and inches. The five variants differ only in how the device's readings are encoded.
class ImperialUnits : public LengthUnits {
public:
    enum class DeviceEncoding {
        HundredthsOfFoot,    // code 1
        TenthsOfInch,        // code 2
        InchesAnd32nds,      // code 3
        FeetInchesAnd16ths,  // code 8
        FeetInchesAnd32nds,  // code 9
    };
    explicit ImperialUnits(DeviceEncoding encoding) : encoding_(encoding) {}
    int FindSplit(const QString& text) const override;
    double ParseLength(const QString& text) const override;
    double ParseDeviceLength(const QString& text) const override;
    QString FormatLength(double meters) const override;
    QString FormatArea(double squareMeters) const override;
    double ToDisplayLength(double meters) const override;
    double ToDisplayArea(double squareMeters) const override;
    QString LengthUnitName() const override { return QStringLiteral("ft"); }
    QString AreaUnitName() const override { return QStringLiteral("sf"); }
    bool IsMetric() const override { return false; }
    DeviceEncoding Encoding() const { return encoding_; }

private:
    DeviceEncoding encoding_;
};

// The device unit codes that have a unit object, in the order they are built.
inline constexpr int kDeviceUnitCodes[] = {0, 1, 2, 3, 4, 5, 6, 8, 9};
inline constexpr int kMetricUnitCode = 0;    // the user's units when Input is meters
inline constexpr int kImperialUnitCode = 9;  // the user's units when Input is feet and inches

using LengthUnitsMap = std::map<int, std::unique_ptr<LengthUnits>>;

// One object per device unit code. A code without an object (7, or anything the list lacks)
// has no entry: a reading sent with it is ignored, as its scale cannot be known.
LengthUnitsMap CreateLengthUnitsMap();
std::unique_ptr<LengthUnits> CreateLengthUnits(int deviceUnitCode);

struct CompassPoint {
    QString name;
    int keyCode;
    double degrees;
};

class AngleStyle {
public:
    AngleStyle();
    virtual ~AngleStyle() = default;
    virtual double ParseDirection(const QString& text) const = 0;
    virtual QString FormatDirection(double degrees) const = 0;

    // The degrees of the first compass point with that device key code; 0 when none has it.
    double DirectionForKeyCode(int keyCode) const;
    int CompassPointCount() const { return 8; }
    QString CompassPointName(int index) const;
    const CompassPoint& GetCompassPoint(int index) const { return points_[index]; }
    // The degrees of the compass point named by the text (case ignored), when it names one.
    bool MatchCompassName(const QString& text, double* degrees) const;

protected:
    // The name of the first compass point within half a degree of d, or empty text.
    QString NearCompassName(double degrees) const;

private:
    CompassPoint points_[8];
};

class AzimuthStyle : public AngleStyle {
public:
    double ParseDirection(const QString& text) const override;
    QString FormatDirection(double degrees) const override;
};

class QuadrantStyle : public AngleStyle {
public:
    double ParseDirection(const QString& text) const override;
    QString FormatDirection(double degrees) const override;
};

inline constexpr int kAzimuthStyleCode = 0;
inline constexpr int kQuadrantStyleCode = 1;

using AngleStyleMap = std::map<int, std::unique_ptr<AngleStyle>>;
AngleStyleMap CreateAngleStyleMap();

// Splits an input text into a length and a direction. False (outputs untouched) when either
// part is missing, or when the direction is not a finite number. The length is not range
// checked here; callers use IsWallLengthInRange.
bool ParseLengthAndDirection(const QString& text, const LengthUnits& units, const AngleStyle& style,
                             double* length, double* direction);

// What a person typed, read strictly. The lenient readers above take whatever the site file
// and the meter have always given them; a typo at the keyboard must instead be refused, with a
// reason, rather than silently become a wrong wall. A text that reads gives the same value as
// the lenient reader gives it.
enum class TypingFault {
    None,
    MissingPart,  // the input line's text lacks a length or a direction
    Comma,        // a comma that does not separate groups of three digits ("2,5")
    Length,       // not a length in the units ("3.5.5", "3 m 2")
    Direction,    // neither a compass name nor a bearing valid in the style
    Number,       // not a plain number ("90x")
};

// A number alone, white space around it allowed: an optional sign, digits with commas only
// between groups of three ("1,250"), an optional point and fraction; no exponent.
TypingFault ReadTypedNumber(const QString& text, double* value);
// Metric: a number, then optionally "m". Feet and inches: feet with the foot mark followed by
// optional inches ("12'6", "12' 6\""), or inches alone with an optional inch mark ("6\"").
TypingFault ReadTypedLength(const QString& text, const LengthUnits& units, double* meters);
// A compass name, or in azimuth style a bearing from 0 to 360 (a degree sign allowed), in
// quadrant style N or S, an angle from 0 to 90 (a degree sign allowed), then E or W.
TypingFault ReadTypedDirection(const QString& text, const AngleStyle& style, double* degrees);

// The input line's grammar, read strictly: split as ParseLengthAndDirection splits, then each
// part read as above. On a fault the outputs are left alone and `faultyPart` (when given) gets
// the part at fault as the person typed it.
TypingFault ReadTypedLengthAndDirection(const QString& text, const LengthUnits& units,
                                        const AngleStyle& style, double* length, double* direction,
                                        QString* faultyPart = nullptr);

// "3.81 m @ NE". Empty when either object is missing.
QString FormatLengthAndDirection(const LengthUnits* units, const AngleStyle* style, double length,
                                 double direction);

// Bearing primitives.
double NormalizeDegrees(double degrees);
double NormalizeRadians(double radians);
double ReverseDirection(double degrees);
PlanPoint PolarToCartesian(double length, double direction);
void CartesianToPolar(double dx, double dy, double* length, double* direction);
double BearingToMathRadians(double degrees);
double MathRadiansToBearing(double radians);
double RadiansToSignedAngle(double radians);

// Tolerance comparisons.
inline bool IsNear(double a, double b, double tol) {
    return std::fabs(b - a) <= std::fabs(tol);
}
inline bool IsEqualWithin(double a, double b, double tol) {
    return b - tol < a && a < b + tol;
}
inline bool IsBelow(double a, double b, double tol) {
    return a < b - tol;
}
inline bool IsAtOrAbove(double a, double b, double tol) {
    return a >= b + tol;
}
inline bool IsZero(double value) {
    return IsEqualWithin(value, 0.0, kZeroTolerance);
}

}  // namespace plantrek
