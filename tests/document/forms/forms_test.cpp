// The dialogs' forms on a real document: what each shows when it opens, what each refuses (the
// exact message and the field), and what each applies, as one undo step.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "document/doc_test_support.h"
#include "document/forms/arc_wall_form.h"
#include "document/forms/colour_palette.h"
#include "document/forms/level_form.h"
#include "document/forms/move_form.h"
#include "document/forms/opening_form.h"
#include "document/forms/preferences_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"

namespace plantrek {
namespace {

constexpr int kStartPoint = -2;  // what a case selects: the start point, the room, or a wall
constexpr int kRoom = -1;
constexpr ProjectionSide kRight = ProjectionSide::Right;

// Everything an operation can change, in full precision.
QString Fingerprint(const CTracepadDoc& doc) {
    const auto n = [](double v) { return QString::number(v, 'g', 17) + u' '; };
    QString text = n(doc.GetSite()->GetStartPoint().x) + n(doc.GetSite()->GetStartPoint().y);
    for (const auto& material : doc.GetSite()->Materials()) {
        text += material->GetName() + n(material->GetColour()) + n(material->GetWastePercent()) +
                n(material->GetPackArea());
    }
    for (const auto& room : doc.GetSite()->Rooms()) {
        text += room->GetName() + n(room->GetMaterial()) + n(room->GetLocation().x) +
                n(room->GetLocation().y) + n(room->GetStartPoint().x) + n(room->GetStartPoint().y);
        text += n(room->GetCeilingHeight());
        for (const auto& wall : room->UserWalls()) {
            text += n(wall->GetLength()) + n(wall->GetDirection()) + n(wall->GetArcHeight());
            for (const Opening& o : wall->GetOpenings()) {
                text += n(int(o.kind)) + n(o.offset) + n(o.width) + n(o.height) + n(o.sill) +
                        n(int(o.hinge)) + n(o.opensInward);
            }
        }
    }
    return text;
}

bool Near(double a, double b) {
    return std::fabs(a - b) < kPointTolerance;
}

// A site in meters with a second material, "Tile", and one room: 3 m north from the start
// point, then 4 m east.
class FormTest : public test::DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        UseMeters();
        Reset(kRoom);
    }

    void Reset(int selection) {
        NewDoc();
        Doc().GetSite()->AddMaterial(QStringLiteral("Tile"), 1, 0x00ff00);
        Type({"3 N", "4 E"});
        if (selection == kStartPoint) {
            Doc().FinishRoom();
        } else if (selection >= 0) {
            Doc().SelectWall(&TheRoom(), TheRoom().GetWall(selection, true));
        }
        prompts_.Clear();
    }

    Room& TheRoom() { return *Doc().GetSite()->GetRoom(0); }
    // Feet and inches, with azimuths (0) or quadrant bearings (1).
    void UseFeet(int angleStyle) {
        Doc().Prefs().SetInputValues(PrefsInputValues{0, angleStyle, 1, 0, 0});
    }
};

struct Refusal {
    QString message;
    int field = 0;
    bool operator==(const Refusal&) const = default;
};

using Checker = std::function<std::optional<Refusal>(const CTracepadDoc&)>;

template <typename Form>
Checker Check(Form form) {
    return [form](const CTracepadDoc& doc) -> std::optional<Refusal> {
        const auto r = form.Check(doc);
        return r ? std::optional(Refusal{r->message, static_cast<int>(r->field)}) : std::nullopt;
    };
}

template <typename Field>
std::optional<Refusal> Refused(const QString& message, Field field) {
    return Refusal{message, static_cast<int>(field)};
}

template <typename Form>
std::function<bool(CTracepadDoc&)> Apply(Form form) {
    return [form](CTracepadDoc& doc) { return !form.Check(doc) && form.Apply(doc); };
}

// Each check refuses with the dialog's message on the field at fault. Every length, direction
// and angle field reads what a person types strictly: a typo is refused with what is wrong and
// what is expected.
TEST_F(FormTest, ChecksRefuseWithTheDialogsMessageAndField) {
    const QString range = "The wall length must be between 0.03 m and 200.00 m.";
    const QString distance = "The distance must be between 0.03 m and 200.00 m.";
    const QString moveDistance = "The distance must be between 0.001 m and 200.00 m.";
    const QString inUse =
        "This color is being used by another material. Please select another color.";
    const QString angle = "Please enter a valid angle.";
    const QString noPoint =
        "Could not calculate a point based on the given distances. You might try basing the "
        "measurement off of a different point.";
    const Colour taken = Site::DefaultMaterialColour();
    const QString metres = QStringLiteral("Please enter a number of meters, such as 3.5 or 3.5 m.");
    const QString azimuths = QStringLiteral(
        "a compass point (N, NE, E, SE, S, SW, W or NW) or a bearing from 0 to 360 degrees");
    const auto notALength = [&](const char* part) {
        return QStringLiteral("\"%1\" is not a length. %2").arg(QString::fromUtf8(part), metres);
    };
    const auto notADirection = [&](const char* part) {
        return QStringLiteral("\"%1\" is not a direction. Please enter %2.")
            .arg(QString::fromUtf8(part), azimuths);
    };
    const QString noDirection = QStringLiteral("Please enter a direction: %1.").arg(azimuths);
    const auto comma = [](const char* part) {
        return QStringLiteral(
                   "\"%1\" has a comma that does not separate thousands. Decimals take a point, "
                   "as in 2.5; a comma may only stand between groups of three digits, as in "
                   "1,250.")
            .arg(QString::fromUtf8(part));
    };
    struct Case {
        const char* name;
        int selection;
        Checker check;
        std::optional<Refusal> expected;
    };
    using W = WallForm::Field;
    using P = ProjectionForm::Field;
    using M = MoveWallEndForm::Field;
    using A = ArcWallForm::Field;
    using G = AngleWallForm::Field;
    const Case cases[] = {
        {"no length", kRoom, Check(WallForm{.length = {"0"}}), Refused(range, W::Length)},
        {"200 m", kRoom, Check(WallForm{.length = {"200"}}), Refused(range, W::Length)},
        {"below 200 m", kRoom, Check(WallForm{.length = {"199.99999"}, .direction = {"N"}}),
         std::nullopt},
        {"projection of half", kRoom,
         Check(WallForm{.length = {"3"}, .direction = {"N"}, .projection = {"1.5"}}),
         Refused("The projection must be less than 1.50 m.", W::Projection)},
        {"projection below half", kRoom,
         Check(WallForm{.length = {"3"}, .direction = {"N"}, .projection = {"1.49"}}),
         std::nullopt},
        {"projection length", kRoom, Check(ProjectionForm{.length = {"250"}, .depth = {".1"}}),
         Refused(range, P::Length)},
        {"projection depth", kRoom, Check(ProjectionForm{.length = {"1"}, .depth = {"0"}}),
         Refused(range, P::Depth)},
        {"move", kRoom, Check(MoveForm{.distance = {"300"}}),
         Refused(moveDistance, MoveForm::Field::Distance)},
        {"move under 1 mm", kRoom, Check(MoveForm{.distance = {"0.0009"}, .direction = {"E"}}),
         Refused(moveDistance, MoveForm::Field::Distance)},
        {"move by 1 mm", kStartPoint, Check(MoveForm{.distance = {"0.001"}, .direction = {"E"}}),
         std::nullopt},
        {"move end back to its start", 1,
         Check(MoveWallEndForm{.distance = {"4"}, .direction = {"W"}}),
         Refused(range, M::Distance)},
        {"move end to 200 m", 1, Check(MoveWallEndForm{.distance = {"196"}, .direction = {"E"}}),
         Refused(range, M::Distance)},
        {"move end past its start", 1,
         Check(MoveWallEndForm{.distance = {"5"}, .direction = {"W"}}), std::nullopt},
        {"arc through no point", 1,
         Check(ArcWallForm{.firstDistance = {"1"}, .secondDistance = {"1"}}),
         Refused(noPoint, A::FirstDistance)},
        {"arc from one corner twice", 1,
         Check(ArcWallForm{.useRoomPoints = true, .firstCorner = PlanPoint{0, 3},
                           .secondCorner = PlanPoint{0, 3}, .firstDistance = {"1"},
                           .secondDistance = {"1"}}),
         Refused(noPoint, A::Corners)},
        {"angle out of reach", 1, Check(AngleWallForm{.distance = {"10"}}),
         Refused(noPoint, G::Distance)},
        {"arc without corners", 1, Check(ArcWallForm{.useRoomPoints = true}),
         Refused("You need to select the corners before continuing.", A::Corners)},
        {"arc first", 1, Check(ArcWallForm{.firstDistance = {"200"}, .secondDistance = {"1"}}),
         Refused(distance, A::FirstDistance)},
        {"arc second", 1, Check(ArcWallForm{.firstDistance = {"1"}, .secondDistance = {"0"}}),
         Refused(distance, A::SecondDistance)},
        {"angle on the start point", 0, Check(AngleWallForm{.distance = {"5"}}),
         Refused("Please move the room's start point so that it isn't on the selected wall.",
                 G::None)},
        {"angle", 1, Check(AngleWallForm{.distance = {"0"}}), Refused(range, G::Distance)},
        {"no rotation", kRoom, Check(RotateForm{}), Refused(angle, RotateForm::Field::Rotation)},
        {"no material", kRoom, Check(RoomForm{.name = "Den"}),
         Refused("Please enter the name of a material.", RoomForm::Field::Material)},
        {"new material, taken colour", kRoom, Check(NewMaterialForm{.colour = taken}),
         Refused(inUse, NewMaterialForm::Field::Colour)},
        {"own colour", kRoom, Check(MaterialForm{.name = "Tile", .colour = 0x00ff00}),
         std::nullopt},
        {"another's colour", kRoom, Check(MaterialForm{.name = "Tile", .colour = taken}),
         Refused(inUse, MaterialForm::Field::Colour)},
        {"wall length unreadable", kRoom, Check(WallForm{.length = {"abc"}}),
         Refused(notALength("abc"), W::Length)},
        {"wall direction", kRoom, Check(WallForm{.length = {"3"}, .direction = {"XYZ"}}),
         Refused(notADirection("XYZ"), W::Direction)},
        {"wall direction missing", kRoom, Check(WallForm{.length = {"3"}}),
         Refused(noDirection, W::Direction)},
        {"edit wall direction cleared", 0,
         [](const CTracepadDoc& doc) {
             WallForm form = WallForm::FromDocument(doc, WallForm::Purpose::Edit);
             form.direction.text.clear();
             return Check(form)(doc);
         },
         Refused(noDirection, W::Direction)},
        {"move start point", kStartPoint, Check(MoveForm{.distance = {"1"}, .direction = {"Q"}}),
         Refused(notADirection("Q"), MoveForm::Field::Direction)},
        {"move wall end", 1, Check(MoveWallEndForm{.distance = {"1"}, .direction = {"361"}}),
         Refused(notADirection("361"), M::Direction)},
        {"angle wall", 1, Check(AngleWallForm{.distance = {"3m3"}}),
         Refused(notALength("3m3"), G::Distance)},
        {"rotation comma", kRoom, Check(RotateForm{.rotation = "22,5"}),
         Refused(comma("22,5"), RotateForm::Field::Rotation)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset(c.selection);
        EXPECT_EQ(c.check(Doc()), c.expected);
    }
}

TEST_F(FormTest, QuadrantBearingsAndFeetInFields) {
    UseFeet(1);
    EXPECT_EQ(Check(WallForm{.length = {"12' 6\""}, .direction = {"N45E"}})(Doc()), std::nullopt);
    EXPECT_EQ(Check(WallForm{.length = {"12'6"}, .direction = {"45"}})(Doc()),
              Refused("\"45\" is not a direction. Please enter a compass point (N, NE, E, SE, S, "
                      "SW, W or NW) or a quadrant bearing: N or S, an angle from 0 to 90 degrees, "
                      "then E or W, as in N45E.",
                      WallForm::Field::Direction));
    EXPECT_EQ(Check(WallForm{.length = {"3.5m"}, .direction = {"N"}})(Doc()),
              Refused("\"3.5m\" is not a length. Please enter feet and inches, such as 12'6 or "
                      "12' 6\", or inches alone, such as 6\".",
                      WallForm::Field::Length));
    // Applied, the field gives what it read.
    Reset(kRoom);
    UseFeet(1);
    ASSERT_TRUE(Apply(WallForm{.length = {"12' 6\""}, .direction = {" s10w"}})(Doc()));
    EXPECT_NEAR(TheRoom().GetWall(2, true)->GetLength(), 3.81, 1e-12);
    EXPECT_DOUBLE_EQ(TheRoom().GetWall(2, true)->GetDirection(), 190.0);
}

TEST_F(FormTest, ARotationByWholeTurnsChangesNothingAndLeavesNoUndoStep) {
    for (const char* turn : {"0", "360", "-720", "0.0"}) {
        SCOPED_TRACE(turn);
        Reset(kRoom);
        const QString before = Fingerprint(Doc());
        const int steps = Doc().UndoHistory().Count();
        const RotateForm form{QString::fromUtf8(turn), RoomPivot::CentreOfRoom};
        ASSERT_FALSE(form.Check(Doc()));
        form.Apply(Doc());
        EXPECT_EQ(Fingerprint(Doc()), before);
        EXPECT_EQ(TheRoom().WallCount(true), 2);  // the closing walls stay closing walls
        EXPECT_EQ(Doc().UndoHistory().Count(), steps);
    }
}

TEST_F(FormTest, HalfALengthTypedInFeetIsRefusedHoweverItsConversionRounds) {
    UseFeet(0);
    EXPECT_EQ(Check(WallForm{.length = {"10'"}, .direction = {"N"}, .projection = {"5'"}})(Doc()),
              Refused("The projection must be less than 5'.", WallForm::Field::Projection));
}

TEST(ColourPaletteTest, AFillMustLeaveBlackLinesAndTextReadable) {
    // White would hide the room on the page.
    const std::tuple<const char*, Colour, bool> cases[] = {
        {"black", MakeColour(0, 0, 0), false},
        {"navy", MakeColour(0, 0, 128), false},
        {"white", MakeColour(255, 255, 255), false},
        {"light yellow", MakeColour(255, 255, 224), true},
        {"orange", MakeColour(255, 165, 0), true},
        {"the default material's", Site::DefaultMaterialColour(), true}};
    for (const auto& [name, colour, readable] : cases) {
        EXPECT_EQ(IsReadableFillColour(colour), readable) << name;
    }
}

TEST_F(FormTest, AddMaterialPresetsTheFirstFreeReadableColourSoThatOkWorks) {
    NewMaterialForm form = NewMaterialForm::FromDocument(Doc(), QStringLiteral("Oak"));
    EXPECT_EQ(form.name, "Oak");
    EXPECT_TRUE(IsReadableFillColour(form.colour));
    EXPECT_EQ(Doc().GetSite()->FindMaterialByColour(form.colour), nullptr);
    EXPECT_FALSE(form.Check(Doc()));
    // Taken by the material just added, the preset moves on to another free colour.
    ASSERT_TRUE((RoomForm{RoomForm::Purpose::Add, "Hall", "Oak", form.Answer()}.Apply(Doc())));
    const NewMaterialForm next = NewMaterialForm::FromDocument(Doc(), QStringLiteral("Ash"));
    EXPECT_NE(next.colour, form.colour);
    EXPECT_TRUE(IsReadableFillColour(next.colour));
    EXPECT_FALSE(next.Check(Doc()));
}

TEST(ArcWallFormTest, PicksFillTheFirstCornerTheSecondThenTheFirstAgain) {
    ArcWallForm form{.useRoomPoints = true};
    for (double x : {1.0, 2.0, 3.0}) {
        form.PickCorner({x, 0.0});
    }
    EXPECT_EQ(form.firstCorner->x + 10 * form.secondCorner->x, 3.0 + 20.0);
}

TEST_F(FormTest, FormsOpenWithWhatTheDocumentHolds) {
    const RoomForm added = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Add);
    EXPECT_EQ(added.name + added.material, "Room 2Default");
    TheRoom().SetMaterial(1);
    const RoomForm edited = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Edit);
    EXPECT_EQ(edited.name + edited.material, "Room 1Tile");
    // The room closes 3 m by 4 m.
    EXPECT_EQ(edited.area + " / " + edited.perimeter, QStringLiteral("12.00 sm / 14.00 m"));
    EXPECT_TRUE((added.area + added.perimeter).isEmpty());
    MaterialForm chosen = MaterialForm::FromDocument(Doc(), "Default");
    chosen.Choose(Doc(), "Tile");
    EXPECT_EQ(chosen.name, "Tile");
    EXPECT_EQ(chosen.colour, 0x00ff00u);
    EXPECT_EQ(MaterialForm::FromDocument(Doc(), "Tile").colour, 0x00ff00u);
    EXPECT_TRUE(Near(RoomStartForm::FromDocument(Doc()).corner.value().y, 0.0));
    EXPECT_EQ(PreferencesForm::FromDocument(Doc()).choice.drawing,
              Doc().Prefs().GetDrawingValues());

    // An edited wall confirmed untouched keeps its exact values, not the digits shown.
    Reset(1);
    ASSERT_TRUE(Doc().EditCurrentWall(4.0, 90.0, -0.123456789));
    Doc().SelectWall(&TheRoom(), TheRoom().GetWall(1, true));
    const WallForm wall = WallForm::FromDocument(Doc(), WallForm::Purpose::Edit);
    EXPECT_EQ(wall.length.text, "4.00 m");
    EXPECT_EQ(wall.side, kRight);
    ASSERT_FALSE(wall.Check(Doc()));
    ASSERT_TRUE(wall.Apply(Doc()));
    EXPECT_EQ(TheRoom().GetWall(1, true)->GetArcHeight(), -0.123456789);
    Doc().SelectWall(&TheRoom(), TheRoom().GetWall(1, true));
    EXPECT_EQ(MoveWallEndForm::FromDocument(Doc()).currentWall, QStringLiteral("4.00 m @ E"));
    Reset(kRoom);
    EXPECT_TRUE(MoveWallEndForm::FromDocument(Doc()).currentWall.isEmpty());
}

TEST_F(FormTest, TheProjectionValuesAreRememberedForEveryDocument) {
    ProjectionForm::ForgetRemembered();
    ProjectionForm form = ProjectionForm::FromDocument(Doc());
    EXPECT_DOUBLE_EQ(form.length.Length(Doc().Units()), 0.762);
    EXPECT_DOUBLE_EQ(form.depth.Length(Doc().Units()), 0.127);
    ASSERT_TRUE((ProjectionForm{.length = {"1"}, .depth = {"0.25"}}.Apply(Doc())));
    Reset(1);  // a new document; the selected wall gives the length
    form = ProjectionForm::FromDocument(Doc());
    EXPECT_DOUBLE_EQ(form.length.Length(Doc().Units()) + form.depth.Length(Doc().Units()), 4.25);
    Reset(kRoom);
    EXPECT_DOUBLE_EQ(ProjectionForm::FromDocument(Doc()).length.Length(Doc().Units()), 1.0);
}

TEST_F(FormTest, EachApplyIsOneUndoStep) {
    using E = WallForm::Purpose;
    struct Case {
        const char* name;
        int selection;
        std::function<bool(CTracepadDoc&)> apply;
        std::function<bool(const CTracepadDoc&, const Room&)> effect;
    };
    const Case cases[] = {
        {"add wall", kRoom, Apply(WallForm{.length = {"2"}, .direction = {"S"}}),
         [](auto&, const Room& r) { return Near(r.GetWall(2, true)->GetLength(), 2.0); }},
        {"edit wall", 0, Apply(WallForm{E::Edit, {"5"}, {"N"}, {"1"}, kRight}),
         [](auto&, const Room& r) { return Near(r.GetWall(0, true)->GetArcHeight(), -1.0); }},
        {"move room", kRoom, Apply(MoveForm{MoveForm::Target::Room, {"1"}, {"E"}}),
         [](auto&, const Room& r) { return Near(r.GetLocation().x, 1.0); }},
        {"move room 19 mm", kRoom, Apply(MoveForm{MoveForm::Target::Room, {"0.019"}, {"E"}}),
         [](auto&, const Room& r) { return Near(r.GetLocation().x, 0.019); }},
        {"move start point", kStartPoint, Apply(MoveForm{.distance = {"1"}, .direction = {"N"}}),
         [](auto& d, auto&) { return Near(d.GetSite()->GetStartPoint().y, 1.0); }},
        {"append projection", kRoom, Apply(ProjectionForm{.length = {"1"}, .depth = {"0.25"}}),
         [](auto&, const Room& r) { return r.WallCount(true) == 5; }},
        {"insert projection", 0, Apply(ProjectionForm{.length = {"1"}, .depth = {"0.25"}}),
         [](auto& d, const Room& r) {
             return r.WallCount(true) == 4 && d.GetSelectionLevel() == kLevelRoom;
         }},
        {"arc through a point 2.5 m from both ends", 1,
         Apply(ArcWallForm{.firstDistance = {"2.5"}, .secondDistance = {"2.5"}}),
         [](auto&, const Room& r) { return Near(r.GetWall(1, true)->GetArcHeight(), 1.5); }},
        {"angle wall", 1, Apply(AngleWallForm{.distance = {"3"}}),
         [](auto&, const Room& r) {
             return Near(Length(PlanPoint{0, 3} + r.GetWall(1, true)->GetVector()), 3.0);
         }},
        {"move wall end", 1, Apply(MoveWallEndForm{.distance = {"1"}, .direction = {"E"}}),
         [](auto& d, const Room& r) {
             return Near(r.GetWall(1, true)->GetLength(), 5.0) &&
                    d.GetSelectionLevel() == kLevelRoom;
         }},
        {"rotate", kRoom, Apply(RotateForm{"90", RoomPivot::RoomStartPoint}),
         [](auto&, const Room& r) {  // the closing walls become user walls
             return r.WallCount(true) == 4 && Near(r.GetWall(0, true)->GetDirection(), 90.0);
         }},
        {"reflect", kRoom, Apply(ReflectForm{.mode = ReflectMode::Horizontal}),
         [](auto&, const Room& r) { return Near(r.GetWall(1, true)->GetDirection(), 270.0); }},
        {"room start", kRoom, Apply(RoomStartForm{PlanPoint{0, 3}}),
         [](auto&, const Room& r) { return Near(r.GetStartPoint().y, 3.0); }},
        {"edit room", kRoom, Apply(RoomForm{RoomForm::Purpose::Edit, "Den", "tile"}),
         [](auto&, const Room& r) { return r.GetName() == "Den" && r.GetMaterial() == 1; }},
        {"material colour", kRoom, Apply(MaterialForm{"Tile", 0x010203}),
         [](auto& d, auto&) { return d.GetSite()->GetMaterial(1)->GetColour() == 0x010203u; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset(c.selection);
        const QString before = Fingerprint(Doc());
        const int steps = Doc().UndoHistory().Count();
        ASSERT_TRUE(c.apply(Doc()));
        EXPECT_TRUE(c.effect(Doc(), TheRoom())) << Fingerprint(Doc()).toStdString();
        EXPECT_EQ(Doc().UndoHistory().Count(), steps + 1);
        EXPECT_TRUE(prompts_.messages.empty());
        ASSERT_TRUE(Doc().Undo());
        EXPECT_EQ(Fingerprint(Doc()), before);
    }
}

// The opening dialogs refuse through the opening rules, on the field to correct, and change
// nothing; the room's height and a material's order figures are checked as typed. The room's
// wall 1 runs 4 m east; the default ceiling height is 2.50 m.
TEST_F(FormTest, OpeningHeightAndAllowanceFormsRefuseOnTheFieldAtFault) {
    using F = OpeningForm::Field;
    const auto opening = [](OpeningKind kind, const char* offset, const char* width,
                            const char* height, const char* sill = "") {
        return OpeningForm{OpeningForm::Purpose::Add, kind, -1, {offset}, {width}, {height},
                           {sill}};
    };
    const auto door = [&](const char* offset, const char* width, const char* height) {
        return Check(opening(OpeningKind::Door, offset, width, height));
    };
    const QString fit = "The opening does not fit on the wall: the wall is 4.00 m long and its "
                        "longest free stretch is 4.00 m.";
    struct Case {
        const char* name;
        Checker check;
        std::optional<Refusal> expected;
    };
    const Case cases[] = {
        {"ceiling below a door", Check(RoomForm{.purpose = RoomForm::Purpose::Edit, .material = "Tile", .height = {"1.9"}}),
         Refused(QString("The ceiling height must be at least 2.00 m, the top of the room's highest door or window."), RoomForm::Field::Height)},
        {"no ceiling", Check(RoomForm{.purpose = RoomForm::Purpose::Edit, .material = "Tile", .height = {"0"}}),
         Refused(QString("The ceiling height must be more than zero."), RoomForm::Field::Height)},
        {"fits", door("3.2", "0.8", "2"), std::nullopt},
        {"past the end", door("3.5", "0.8", "2"), Refused(fit, F::Offset)},
        {"no length", door("3.5x", "0.8", "2"), Refused(QString("\"3.5x\" is not a length. Please enter a number of meters, such as 3.5 or 3.5 m."), F::Offset)},
        {"no width", door("1", "0", "2"), Refused(QString("The width must be more than zero."), F::Width)},
        {"above the ceiling", door("1", "0.8", "2.6"),
         Refused(QString("The height 2.60 m is more than the room's ceiling height 2.50 m."), F::Height)},
        {"window above the ceiling", Check(opening(OpeningKind::Window, "1", "1", "1.2", "1.5")),
         Refused(QString("The window's top (sill 1.50 m plus height 1.20 m) is above the room's "
                         "ceiling height 2.50 m."), F::Sill)},
        {"allowance", Check(MaterialForm{.name = "Tile", .colour = 0x00ff00, .allowance = "-5"}),
         Refused(QString("The waste allowance must be a percentage from 0 to 100."), MaterialForm::Field::Allowance)},
        {"pack", Check(MaterialForm{.name = "Tile", .colour = 0x00ff00, .packArea = "two"}),
         Refused(QString("The pack size must be an area of 0 sm or more."), MaterialForm::Field::PackArea)},
    };
    Doc().SelectWall(&TheRoom(), TheRoom().GetWall(1, true));
    ASSERT_TRUE(Doc().AddOpeningToCurrentWall(Opening{OpeningKind::Door, 0.1, 0.1, 2.0}));
    const QString withDoor = Fingerprint(Doc());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string_view(c.name) == "past the end") {  // the door's 0.1 m is free no more
            ASSERT_TRUE(Doc().DeleteTargetOpening());
        }
        EXPECT_EQ(c.check(Doc()), c.expected);
    }
    Doc().Undo();
    EXPECT_EQ(Fingerprint(Doc()), withDoor);
    ASSERT_TRUE(Doc().DeleteTargetOpening());
    ASSERT_TRUE(Doc().EditCurrentWall(4.0, 90.0, 1.0));
    Doc().SelectWall(&TheRoom(), TheRoom().GetWall(1, true));
    EXPECT_EQ(door("1", "0.8", "2")(Doc()),
              Refused(QString("Doors, windows and openings go on straight walls only; this wall "
                              "is an arc."),
                      F::Offset));
}

// Adding, editing and deleting openings, a ceiling height and a material's order figures: each
// one step, undone exactly and done again exactly. Delete takes a selected opening, not its
// wall, and Cut and Copy keep no opening.
TEST_F(FormTest, OpeningCommandsAreStepsThatUndoAndRedoExactly) {
    Reset(1);
    const auto add = [](OpeningKind kind, const char* offset, const char* sill = "") {
        OpeningForm form{OpeningForm::Purpose::Add, kind, -1, {offset}, {"0.9"}, {"2"}, {sill}};
        form.hinge = DoorHinge::Right;
        form.opensInward = false;
        return Apply(form);
    };
    const std::function<bool(CTracepadDoc&)> steps[] = {
        add(OpeningKind::Door, "2.5"),
        add(OpeningKind::Window, "0.2", "0.3"),
        [](CTracepadDoc& d) {  // the door, second in order of offset, made narrower
            OpeningForm form = OpeningForm::FromDocument(d, OpeningForm::Purpose::Edit, {}, 1);
            form.width = TextField("0.7");
            return !form.Check(d) && form.Apply(d);
        },
        [](CTracepadDoc& d) { d.Delete(); return true; },  // the edited door stays selected
        Apply(RoomForm{RoomForm::Purpose::Edit, "Room 1", "Tile", {}, {"2.40"}}),
        Apply(MaterialForm{.name = "Tile", .colour = 0x00ff00, .allowance = "10", .packArea = "2.5"}),
    };
    std::vector<QString> states{Fingerprint(Doc())};
    for (const auto& step : steps) {
        if (states.size() == 4) {  // the door just edited is selected
            EXPECT_EQ(Doc().GetCurrentOpening(), 1);
            EXPECT_FALSE(Doc().CanCopy());
        }
        const int count = Doc().UndoHistory().Count();
        ASSERT_TRUE(step(Doc())) << states.size();
        EXPECT_EQ(Doc().UndoHistory().Count(), count + 1) << states.size();
        states.push_back(Fingerprint(Doc()));
        if (states.size() == 5) {
            Doc().SelectRoom(&TheRoom());
        }
    }
    const Wall& wall = *TheRoom().GetWall(1, true);
    ASSERT_EQ(TheRoom().WallCount(true), 2);
    ASSERT_EQ(wall.GetOpenings().size(), 1u);
    EXPECT_EQ(wall.GetOpenings()[0].kind, OpeningKind::Window);
    EXPECT_DOUBLE_EQ(TheRoom().GetCeilingHeight(), 2.4);
    EXPECT_DOUBLE_EQ(Doc().GetSite()->GetMaterial(1)->GetPackArea(), 2.5);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(Doc().Undo());
        EXPECT_EQ(Fingerprint(Doc()), states[i - 1]) << i;
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(Doc().Redo());
        EXPECT_EQ(Fingerprint(Doc()), states[i]) << i;
    }
    EXPECT_TRUE(prompts_.messages.empty());
}

// A pack area typed in square feet is kept in square meters; left untouched it keeps its
// value exactly, however it shows.
TEST_F(FormTest, APackAreaInSquareFeetIsKeptExactly) {
    UseFeet(0);
    Apply(MaterialForm{.name = "Tile", .colour = 0x00ff00, .packArea = "10"})(Doc());
    const Material& tile = *Doc().GetSite()->GetMaterial(1);
    EXPECT_NEAR(tile.GetPackArea(), 10 * 0.09290304, 1e-12);
    MaterialForm again = MaterialForm::FromDocument(Doc(), "Tile");
    EXPECT_EQ(again.packArea, "10");
    Doc().GetSite()->FindMaterialByName("Tile")->SetPackArea(1.0);
    again = MaterialForm::FromDocument(Doc(), "Tile");
    EXPECT_EQ(again.packArea, "10.76");
    Apply(again)(Doc());
    EXPECT_EQ(Doc().GetSite()->GetMaterial(1)->GetPackArea(), 1.0);
}

// A wall edit that would leave an opening past its wall's end asks first: No leaves the room
// as it was with the wall still selected, Yes removes the opening in the same step.
TEST_F(FormTest, AWallEditLeavingAnOpeningPastItsEndAsksFirst) {
    const std::function<bool(CTracepadDoc&)> edits[] = {
        [](CTracepadDoc& d) { return d.EditCurrentWall(3.0, 90.0, 0.0); },
        Apply(MoveWallEndForm{.distance = {"1"}, .direction = {"W"}}),
    };
    for (const auto& edit : edits) {
        Reset(1);
        ASSERT_TRUE(Doc().AddOpeningToCurrentWall(Opening{OpeningKind::Door, 3.0, 0.8, 2.0}));
        const QString before = Fingerprint(Doc());
        const int steps = Doc().UndoHistory().Count();
        prompts_.answers = {false};
        EXPECT_FALSE(edit(Doc()));
        EXPECT_EQ(Fingerprint(Doc()), before);
        EXPECT_EQ(Doc().GetCurrentWall(), TheRoom().GetWall(1, true));
        EXPECT_EQ(prompts_.questions,
                  QStringList{"This change leaves the door at 3.00 m on wall 2 where the wall "
                              "can no longer hold it. Remove it and make the change? No leaves "
                              "the room as it was."});
        prompts_.answers = {true};
        EXPECT_TRUE(edit(Doc()));
        EXPECT_TRUE(TheRoom().GetWall(1, true)->GetOpenings().empty());
        EXPECT_EQ(Doc().UndoHistory().Count(), steps + 1);
        ASSERT_TRUE(Doc().Undo());
        EXPECT_EQ(Fingerprint(Doc()), before);
    }
}

// The default ceiling height: typed in the units the sheet chooses, empty for the starting
// value, refused when not above zero; rooms without a height of their own take it.
TEST_F(FormTest, TheDefaultCeilingHeightIsTypedInThePreferences) {
    PreferencesForm form = PreferencesForm::FromDocument(Doc());
    EXPECT_EQ(form.defaultHeight.text, "2.50 m");
    form.defaultHeight = TextField("0");
    EXPECT_EQ(Check(form)(Doc()),
              Refused(QString("The default ceiling height must be more than zero."),
                      PreferencesForm::Field::DefaultHeight));
    form.choice.input.Input = kInputFeetAndInches;
    form.defaultHeight = TextField("9'");
    ASSERT_TRUE(Apply(form)(Doc()));
    EXPECT_NEAR(Doc().DefaultHeight(), 9 * 0.3048, 1e-9);
    EXPECT_EQ(RoomForm::FromDocument(Doc(), RoomForm::Purpose::Edit).defaultHeight, "9'");
    form = PreferencesForm::FromDocument(Doc());
    form.defaultHeight = TextField("");
    ASSERT_TRUE(Apply(form)(Doc()));
    EXPECT_NEAR(Doc().DefaultHeight(), 8 * 0.3048, 1e-9);
    ASSERT_TRUE(Doc().Undo());  // each OK is a step, the height with the rest
    EXPECT_NEAR(Doc().DefaultHeight(), 9 * 0.3048, 1e-9);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_NEAR(Doc().DefaultHeight(), 2.5, 1e-9);
}

// The nudge step: 1 cm or 1/4" until set, from 1 mm to 1 m in the units chosen.
TEST_F(FormTest, TheNudgeStepIsTypedInThePreferences) {
    PreferencesForm form = PreferencesForm::FromDocument(Doc());
    EXPECT_EQ(form.nudgeStep.text, "0.010 m");
    for (const char* refused : {"0.0009", "1.01"}) {
        form.nudgeStep = TextField(refused);
        EXPECT_EQ(Check(form)(Doc()),
                  Refused(QString("The nudge step must be from 0.001 m to 1.00 m."),
                          PreferencesForm::Field::NudgeStep));
    }
    form.choice.input.Input = kInputFeetAndInches;
    form.nudgeStep = TextField("");
    ASSERT_TRUE(Apply(form)(Doc()));
    EXPECT_NEAR(Doc().Prefs().GetNudgeStep(), 0.25 * 0.0254, 1e-9);
    form = PreferencesForm::FromDocument(Doc());
    EXPECT_EQ(form.nudgeStep.text, "0.25\"");
    form.nudgeStep = TextField("0.5\"");
    ASSERT_TRUE(Apply(form)(Doc()));
    EXPECT_NEAR(Doc().Prefs().GetNudgeStep(), 0.5 * 0.0254, 1e-9);
    ASSERT_TRUE(Doc().Undo());
    EXPECT_NEAR(Doc().Prefs().GetNudgeStep(), 0.25 * 0.0254, 1e-9);
}

}  // namespace
}  // namespace plantrek

namespace plantrek {
namespace {

// Add Level and Level Properties on a site with a basement (-2.5 m, 2.2 m high) under the ground
// floor: what each refuses, and the level a form that passes gives.
TEST_F(FormTest, LevelFormsCheckNameElevationAndHeight) {
    ASSERT_TRUE(Doc().AddLevel(Level{QStringLiteral("Basement"), -2.5, 2.2}));
    using F = LevelForm::Field;
    using P = LevelForm::Purpose;
    const QString elevationRange = "The elevation must be between -1000.00 m and 1000.00 m.";
    const QString heightRange = "The height must be between 0.50 m and 100.00 m.";
    struct Case {
        const char* what;
        P purpose;
        const char* name;
        const char* elevation;
        const char* height;
        bool feet;
        std::optional<Refusal> refused;
        Level value;  // when not refused
    };
    const Case cases[] = {
        {"empty name", P::Add, "  ", "3", "", false, Refused(QString("Please enter a name for the level."), F::Name), {}},
        {"another level's name", P::Add, "basement", "3", "", false,
         Refused(QString("There is already a level named \"Basement\"."), F::Name), {}},
        {"its own name", P::Properties, "BASEMENT", "-3", "", false, std::nullopt, {"BASEMENT", -3.0, 0.0}},
        {"below the datum", P::Add, " Cellar ", "-2.5", "2.4", false, std::nullopt, {"Cellar", -2.5, 2.4}},
        {"below in feet", P::Add, "Cellar", "-8'", "7' 6\"", true, std::nullopt, {"Cellar", -2.4384, 2.286}},
        {"metres spelt out", P::Add, "Loft", "5.5 m", "", false, std::nullopt, {"Loft", 5.5, 0.0}},
        {"no elevation", P::Add, "Loft", " ", "", false, Refused(QString("Please enter the level's elevation."), F::Elevation), {}},
        {"not a length", P::Add, "Loft", "-x", "", false,
         Refused(QString("\"x\" is not a length. Please enter a number of meters, such as 3.5 or 3.5 m."), F::Elevation), {}},
        {"past 1000 m", P::Add, "Loft", "1000.5", "", false, Refused(elevationRange, F::Elevation), {}},
        {"past -1000 m", P::Add, "Pit", "-1000.5", "", false, Refused(elevationRange, F::Elevation), {}},
        {"too low a ceiling", P::Add, "Loft", "5", "0.3", false, Refused(heightRange, F::Height), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.feet) {
            UseFeet(0);
        }
        LevelForm form = LevelForm::FromDocument(Doc(), c.purpose);
        form.name = QString::fromUtf8(c.name);
        form.elevation = TextField(QString::fromUtf8(c.elevation));
        form.height = TextField(QString::fromUtf8(c.height));
        EXPECT_EQ(Check(form)(Doc()), c.refused);
        if (!c.refused) {
            const Level level = form.Value(Doc());
            EXPECT_EQ(level.name, c.value.name);
            EXPECT_NEAR(level.elevation, c.value.elevation, 1e-12);
            EXPECT_NEAR(level.height, c.value.height, 1e-12);
        }
        Doc().Prefs().SetInputValues(PrefsInputValues{kInputMetres, 0, 1, 0, 0});
    }
    // Untouched, the forms give back what they show: the basement as it is, and a new level on
    // top of the ground floor (its elevation plus the program's 2.5 m).
    const LevelForm properties = LevelForm::FromDocument(Doc(), P::Properties);
    EXPECT_EQ(properties.Value(Doc()), (Level{"Basement", -2.5, 2.2}));
    const LevelForm added = LevelForm::FromDocument(Doc(), P::Add);
    EXPECT_FALSE(added.Check(Doc()));
    EXPECT_EQ(added.Value(Doc()), (Level{"Level 2", 2.5, 0.0}));
}

}  // namespace
}  // namespace plantrek
