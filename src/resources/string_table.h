#pragma once

#include <QString>

// The program's numbered strings. Messages, captions and names are looked up by their number
// so that every part of the program shows the same text for the same purpose.
namespace plantrek {

namespace string_id {
inline constexpr int kDocumentTemplate = 129;
inline constexpr int kEditWall = 36005;
inline constexpr int kSiteName = 36006;
inline constexpr int kRoomPrefix = 36007;
inline constexpr int kRoomNameTaken = 36008;
inline constexpr int kWallLengthRange = 36009;
inline constexpr int kMoveStartPoint = 36010;
inline constexpr int kInvalidInput = 36013;
inline constexpr int kSelectedStartPoint = 36014;
inline constexpr int kSelectedRoom = 36015;
inline constexpr int kSelectedWall = 36016;
inline constexpr int kMoveCurrentRoom = 36017;
inline constexpr int kPreferences = 36023;
inline constexpr int kColumnArea = 36024;
inline constexpr int kColumnPerimeter = 36025;
inline constexpr int kColumnRoom = 36026;
inline constexpr int kDocumentVersion = 36027;
inline constexpr int kRoomsNotClosed = 36049;
inline constexpr int kInvalidAngle = 36050;
inline constexpr int kMaterialNameMissing = 36051;
inline constexpr int kColourInUse = 36053;
inline constexpr int kStartPointOnWall = 36054;
inline constexpr int kNoDistoDevice = 36060;
inline constexpr int kSearchingOnPort = 36061;
inline constexpr int kMeasurementCaption = 36062;
inline constexpr int kSnapStartPoint = 36068;
inline constexpr int kSnapRoom = 36069;
// Texts the editing dialogs showed without a number of their own.
inline constexpr int kDistanceRange = 36201;
inline constexpr int kProjectionTooLarge = 36202;
inline constexpr int kSelectCorners = 36203;
inline constexpr int kCouldNotCalculatePoint = 36204;
// Refusals of typed lengths and directions: what is wrong, and what is expected.
inline constexpr int kCommaNotDecimal = 36205;
inline constexpr int kNotALength = 36206;
inline constexpr int kMetricLengthForm = 36207;
inline constexpr int kImperialLengthForm = 36208;
inline constexpr int kNotADirection = 36209;
inline constexpr int kDirectionMissing = 36210;
inline constexpr int kAzimuthForm = 36211;
inline constexpr int kQuadrantForm = 36212;
inline constexpr int kInvalidInputBecause = 36213;
}  // namespace string_id

// The text of a numbered string; empty for a number the table does not hold. A command's
// status text is found under the command's id.
QString LoadString(int id);

// The parts of the document template string (129), separated by line ends.
enum class DocumentTemplatePart {
    WindowTitle = 0,
    DocumentName = 1,
    FileNewName = 2,
    FilterName = 3,
    FilterExtension = 4,
    RegistryFileTypeId = 5,
    RegistryFileTypeName = 6,
};
QString DocumentTemplateString(DocumentTemplatePart part);

}  // namespace plantrek
