#include "resources/string_table.h"

#include "resources/command_catalog.h"

#include <QStringList>

#include <map>

namespace plantrek {

namespace {

const std::map<int, QString>& Table() {
    static const std::map<int, QString> table{
        {string_id::kDocumentTemplate,
         QStringLiteral("\nPlantrek\nPlantrek\nPlantrek Files (*.tcd)\n.tcd\nPlantrek.Document\n"
                        "Plantrek Document")},
        {string_id::kEditWall, QStringLiteral("Edit Wall")},
        {string_id::kSiteName, QStringLiteral("Site")},
        {string_id::kRoomPrefix, QStringLiteral("Room")},
        {string_id::kRoomNameTaken,
         QStringLiteral("There is already a room with that name. Please enter a new name.")},
        {string_id::kWallLengthRange, QStringLiteral("The wall length must be between %1 and %2.")},
        {string_id::kMoveStartPoint, QStringLiteral("Move Start Point")},
        {string_id::kInvalidInput,
         QStringLiteral("The input \"%1\" does not represent a valid length and direction.")},
        {string_id::kSelectedStartPoint, QStringLiteral("Selected: Room start point")},
        {string_id::kSelectedRoom, QStringLiteral("Selected: \"%s\"")},
        {string_id::kSelectedWall, QStringLiteral("Selected: %s wall in \"%s\"")},
        {string_id::kMoveCurrentRoom, QStringLiteral("Move Current Room")},
        {string_id::kPreferences, QStringLiteral("Preferences")},
        {string_id::kColumnArea, QStringLiteral("Area")},
        {string_id::kColumnPerimeter, QStringLiteral("Perimeter")},
        {string_id::kColumnRoom, QStringLiteral("Room")},
        {string_id::kDocumentVersion, QStringLiteral("1.1")},
        {string_id::kRoomsNotClosed,
         QStringLiteral("Some of your rooms are not closed and will not import into Tilecrest. "
                        "Do you want to continue saving?")},
        {string_id::kInvalidAngle, QStringLiteral("Please enter a valid angle.")},
        {string_id::kMaterialNameMissing, QStringLiteral("Please enter the name of a material.")},
        {string_id::kColourInUse,
         QStringLiteral(
             "This color is being used by another material. Please select another color.")},
        {string_id::kStartPointOnWall,
         QStringLiteral(
             "Please move the room's start point so that it isn't on the selected wall.")},
        {string_id::kNoDistoDevice,
         QStringLiteral("There does not seem to be a Disto device available.\nMake sure the "
                        "Disto is on and is using a port in the range COM1 to COM20.")},
        {string_id::kSearchingOnPort, QStringLiteral("Currently searching for a Disto on COM%d.")},
        {string_id::kMeasurementCaption, QStringLiteral("Measurement:")},
        {string_id::kSnapStartPoint, QStringLiteral("&Snap Start Point")},
        {string_id::kSnapRoom, QStringLiteral("&Snap Room")},
        {string_id::kDistanceRange, QStringLiteral("The distance must be between %1 and %2.")},
        {string_id::kProjectionTooLarge, QStringLiteral("The projection must be less than %1.")},
        {string_id::kSelectCorners,
         QStringLiteral("You need to select the corners before continuing.")},
        {string_id::kCouldNotCalculatePoint,
         QStringLiteral("Could not calculate a point based on the given distances. You might try "
                        "basing the measurement off of a different point.")},
        {string_id::kCommaNotDecimal,
         QStringLiteral("\"%1\" has a comma that does not separate thousands. Decimals take a "
                        "point, as in 2.5; a comma may only stand between groups of three digits, "
                        "as in 1,250.")},
        {string_id::kNotALength, QStringLiteral("\"%1\" is not a length. Please enter %2.")},
        {string_id::kMetricLengthForm, QStringLiteral("a number of meters, such as 3.5 or 3.5 m")},
        {string_id::kImperialLengthForm,
         QStringLiteral("feet and inches, such as 12'6 or 12' 6\", or inches alone, such as 6\"")},
        {string_id::kNotADirection, QStringLiteral("\"%1\" is not a direction. Please enter %2.")},
        {string_id::kDirectionMissing, QStringLiteral("Please enter a direction: %1.")},
        {string_id::kAzimuthForm,
         QStringLiteral("a compass point (N, NE, E, SE, S, SW, W or NW) or a bearing from 0 to "
                        "360 degrees")},
        {string_id::kQuadrantForm,
         QStringLiteral("a compass point (N, NE, E, SE, S, SW, W or NW) or a quadrant bearing: N "
                        "or S, an angle from 0 to 90 degrees, then E or W, as in N45E")},
        {string_id::kInvalidInputBecause,
         QStringLiteral("The input \"%1\" does not represent a valid length and direction. %2")},
    };
    return table;
}

}  // namespace

QString LoadString(int id) {
    const auto& table = Table();
    const auto found = table.find(id);
    if (found != table.end()) {
        return found->second;
    }
    // A command's status text is the string under the command's own number.
    const CommandRow* command = FindCommand(id);
    return command != nullptr ? command->StatusText() : QString();
}

QString DocumentTemplateString(DocumentTemplatePart part) {
    const QStringList parts = LoadString(string_id::kDocumentTemplate).split(QLatin1Char('\n'));
    const auto index = static_cast<qsizetype>(part);
    return index < parts.size() ? parts[index] : QString();
}

}  // namespace plantrek
