// The dialogs' forms on a real document: what each shows when it opens, what each refuses (the
// exact message and the field), and what each applies, as one undo step.
#include <gtest/gtest.h>

#include <functional>

#include "document/doc_test_support.h"
#include "document/forms/arc_wall_form.h"
#include "document/forms/colour_palette.h"
#include "document/forms/export_form.h"
#include "document/forms/move_form.h"
#include "document/forms/preferences_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"

namespace plantrek {
namespace {

constexpr int kStartPoint = -2;  // what a case selects: the start point, the room, or a wall
constexpr int kRoom = -1;

const char* const kRange = "The wall length must be between 0.03 m and 200.00 m.";
const char* const kDistance = "The distance must be between 0.03 m and 200.00 m.";

// Everything an operation can change, written out in full precision.
QString Fingerprint(const CTracepadDoc& doc) {
    const Site& site = *doc.GetSite();
    QString text =
        QStringLiteral("start %1 %2;").arg(site.GetStartPoint().x).arg(site.GetStartPoint().y);
    for (const auto& material : site.Materials()) {
        text +=
            QStringLiteral("material %1 %2;").arg(material->GetName()).arg(material->GetColour());
    }
    for (const auto& room : site.Rooms()) {
        text += QStringLiteral("room %1 %2 at %3 %4 from %5 %6:")
                    .arg(room->GetName())
                    .arg(room->GetMaterial())
                    .arg(room->GetLocation().x, 0, 'g', 17)
                    .arg(room->GetLocation().y, 0, 'g', 17)
                    .arg(room->GetStartPoint().x, 0, 'g', 17)
                    .arg(room->GetStartPoint().y, 0, 'g', 17);
        for (const auto& wall : room->UserWalls()) {
            text += QStringLiteral(" %1@%2~%3")
                        .arg(wall->GetLength(), 0, 'g', 17)
                        .arg(wall->GetDirection(), 0, 'g', 17)
                        .arg(wall->GetArcHeight(), 0, 'g', 17);
        }
        text += QLatin1Char(';');
    }
    return text;
}

// A site in meters with a second material and one room: 3 m north from the start point, then
// 4 m east.
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
        Room* room = Doc().GetSite()->GetRoom(0);
        if (selection == kStartPoint) {
            Doc().FinishRoom();
        } else if (selection >= 0) {
            Doc().SelectWall(room, room->GetWall(selection, true));
        }
        prompts_.Clear();
    }

    Room& TheRoom() { return *Doc().GetSite()->GetRoom(0); }
};

struct Refusal {
    QString message;
    int field = 0;
    bool operator==(const Refusal&) const = default;
};

template <typename Form>
std::optional<Refusal> CheckOf(const Form& form, const CTracepadDoc& doc) {
    const auto refusal = form.Check(doc);
    if (!refusal) {
        return std::nullopt;
    }
    return Refusal{refusal->message, static_cast<int>(refusal->field)};
}

struct RefusalCase {
    const char* name;
    int selection;
    std::function<std::optional<Refusal>(const CTracepadDoc&)> check;
    std::optional<Refusal> expected;
};

WallForm AddWall(const char* length, const char* projection) {
    WallForm form;
    form.length = TextField(QString::fromUtf8(length));
    form.direction = TextField(QStringLiteral("N"));
    form.projection = TextField(QString::fromUtf8(projection));
    return form;
}

ArcWallForm Arc(bool corners, const char* r1, const char* r2) {
    ArcWallForm form;
    form.useRoomPoints = corners;
    form.firstDistance = TextField(QString::fromUtf8(r1));
    form.secondDistance = TextField(QString::fromUtf8(r2));
    return form;
}

template <typename Form>
auto Fixed(Form form) {
    return [form](const CTracepadDoc& doc) { return CheckOf(form, doc); };
}

template <typename Field>
Refusal R(const char* message, Field field) {
    return {QString::fromUtf8(message), static_cast<int>(field)};
}

TEST_F(FormTest, ChecksRefuseWithTheDialogsMessageAndField) {
    using WF = WallForm::Field;
    const auto move = [](const char* distance) {
        MoveForm form;
        form.distance = TextField(QString::fromUtf8(distance));
        return form;
    };
    const auto rotate = [](const char* text) {
        RotateForm form;
        form.rotation = QString::fromUtf8(text);
        return form;
    };
    const auto material = [](const char* name, Colour colour) {
        MaterialForm form;
        form.name = QString::fromUtf8(name);
        form.colour = colour;
        return form;
    };
    const auto newMaterial = [](Colour colour) {
        NewMaterialForm form;
        form.colour = colour;
        return form;
    };
    const auto exported = [](const char* name, int filter) {
        ExportForm form;
        form.fileName = QString::fromUtf8(name);
        form.filterIndex = filter;
        return form;
    };
    const auto projection = [](const char* length, const char* depth) {
        ProjectionForm form;
        form.length = TextField(QString::fromUtf8(length));
        form.depth = TextField(QString::fromUtf8(depth));
        return form;
    };
    const auto angle = [](const char* distance) {
        AngleWallForm form;
        form.distance = TextField(QString::fromUtf8(distance));
        return form;
    };
    const auto wallEnd = [](const char* distance) {
        MoveWallEndForm form;
        form.distance = TextField(QString::fromUtf8(distance));
        return form;
    };
    RoomForm noMaterial;
    noMaterial.name = QStringLiteral("Den");

    const RefusalCase cases[] = {
        {"wall of nothing", kRoom, Fixed(AddWall("0", "")), R(kRange, WF::Length)},
        {"wall of 200 m", kRoom, Fixed(AddWall("200", "")), R(kRange, WF::Length)},
        {"wall unreadable", kRoom, Fixed(AddWall("abc", "")), R(kRange, WF::Length)},
        {"wall just short of 200 m", kRoom, Fixed(AddWall("199.99999", "")), std::nullopt},
        {"projection of half", kRoom, Fixed(AddWall("3", "1.5")),
         R("The projection must be less than 1.50 m.", WF::Projection)},
        {"projection below half", kRoom, Fixed(AddWall("3", "1.49")), std::nullopt},
        {"projection length", kRoom, Fixed(projection("250", ".1")),
         R(kRange, ProjectionForm::Field::Length)},
        {"projection depth", kRoom, Fixed(projection("1", "0")),
         R(kRange, ProjectionForm::Field::Depth)},
        {"move", kRoom, Fixed(move("300")), R(kDistance, MoveForm::Field::Distance)},
        {"move end", 1, Fixed(wallEnd("300")), R(kRange, MoveWallEndForm::Field::Distance)},
        {"arc without corners", 1, Fixed(Arc(true, "nan", "1")),
         R("You need to select the corners before continuing.", ArcWallForm::Field::Corners)},
        {"arc first distance", 1, Fixed(Arc(false, "200", "1")),
         R(kDistance, ArcWallForm::Field::FirstDistance)},
        {"arc second distance", 1, Fixed(Arc(false, "1", "0")),
         R(kDistance, ArcWallForm::Field::SecondDistance)},
        {"angle on the start point", 0, Fixed(angle("5")),
         R("Please move the room's start point so that it isn't on the selected "
           "wall.",
           AngleWallForm::Field::None)},
        {"angle distance", 1, Fixed(angle("0")), R(kRange, AngleWallForm::Field::Distance)},
        {"rotation empty", kRoom, Fixed(rotate("")),
         R("Please enter a valid angle.", RotateForm::Field::Rotation)},
        {"rotation too large", kRoom, Fixed(rotate("1e999")),
         R("Please enter a valid angle.", RotateForm::Field::Rotation)},
        {"rotation unreadable reads as 0", kRoom, Fixed(rotate("abc")), std::nullopt},
        {"room without material", kRoom, Fixed(noMaterial),
         R("Please enter the name of a material.", RoomForm::Field::Material)},
        {"new material with the default's colour", kRoom,
         Fixed(newMaterial(Site::DefaultMaterialColour())),
         R("This color is being used by another material. Please select another color.",
           NewMaterialForm::Field::Colour)},
        {"new material with a free colour", kRoom, Fixed(newMaterial(0x00ff01)), std::nullopt},
        {"material keeps its own colour", kRoom, Fixed(material("Tile", 0x00ff00)), std::nullopt},
        {"material takes another's colour", kRoom,
         Fixed(material("Tile", Site::DefaultMaterialColour())),
         R("This color is being used by another material. Please select another color.",
           MaterialForm::Field::Colour)},
        {"export of an unknown type", kRoom, Fixed(exported("plan.png", kAllFilesFilter)),
         R("Unknown file type", ExportForm::Field::FileName)},
        {"export by the filter", kRoom, Fixed(exported("plan", 3)), std::nullopt},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reset(c.selection);
        EXPECT_EQ(c.check(Doc()), c.expected);
    }
}

TEST_F(FormTest, FormsOpenWithWhatTheDocumentHolds) {
    const WallForm added = WallForm::FromDocument(Doc(), WallForm::Purpose::Add);
    EXPECT_TRUE(added.length.text.isEmpty());
    EXPECT_EQ(added.side, ProjectionSide::Left);

    const RoomForm newRoom = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Add);
    EXPECT_EQ(newRoom.name, "Room 2");
    EXPECT_EQ(newRoom.material, "Default");
    TheRoom().SetMaterial(1);
    const RoomForm edited = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Edit);
    EXPECT_EQ(edited.name, "Room 1");
    EXPECT_EQ(edited.material, "Tile");
    EXPECT_EQ(MaterialForm::FromDocument(Doc(), "Tile").colour, 0x00ff00u);
    const auto corner = RoomStartForm::FromDocument(Doc()).corner;
    ASSERT_TRUE(corner);
    EXPECT_EQ(Distance(*corner, TheRoom().GetStartPoint()), 0.0);

    Doc().Prefs().SetExportType(QStringLiteral("gif"));
    EXPECT_EQ(ExportForm::FromDocument(Doc()).filterIndex, 3);
    EXPECT_EQ(PreferencesForm::FromDocument(Doc()).choice.drawing,
              Doc().Prefs().GetDrawingValues());
}

TEST_F(FormTest, AnEditedWallLeftAloneKeepsItsExactValues) {
    Reset(1);
    ASSERT_TRUE(Doc().EditCurrentWall(4.0, 90.0, -0.123456789));
    Doc().SelectWall(&TheRoom(), TheRoom().GetWall(1, true));
    const WallForm form = WallForm::FromDocument(Doc(), WallForm::Purpose::Edit);
    EXPECT_EQ(form.length.text, "4.00 m");
    EXPECT_EQ(form.side, ProjectionSide::Right);
    ASSERT_FALSE(form.Check(Doc()));
    ASSERT_TRUE(form.Apply(Doc()));
    EXPECT_EQ(TheRoom().GetWall(1, true)->GetArcHeight(), -0.123456789);
    EXPECT_EQ(TheRoom().GetWall(1, true)->GetLength(), 4.0);
}

TEST_F(FormTest, TheProjectionValuesAreRememberedForEveryDocument) {
    ProjectionForm::ForgetRemembered();
    ProjectionForm form = ProjectionForm::FromDocument(Doc());
    EXPECT_DOUBLE_EQ(form.length.Length(Doc().Units()), 0.762);
    EXPECT_DOUBLE_EQ(form.depth.Length(Doc().Units()), 0.127);
    form.length = TextField(QStringLiteral("1"));
    form.depth = TextField(QStringLiteral("0.25"));
    ASSERT_TRUE(form.Apply(Doc()));

    Reset(1);  // a new document; the selected wall gives the length
    form = ProjectionForm::FromDocument(Doc());
    EXPECT_DOUBLE_EQ(form.length.Length(Doc().Units()), 4.0);
    EXPECT_DOUBLE_EQ(form.depth.Length(Doc().Units()), 0.25);
    Reset(kRoom);
    EXPECT_DOUBLE_EQ(ProjectionForm::FromDocument(Doc()).length.Length(Doc().Units()), 1.0);

    const ImperialUnits feet(ImperialUnits::DeviceEncoding::FeetInchesAnd32nds);
    for (const LengthUnits* units : {static_cast<const LengthUnits*>(&feet), &Doc().Units()}) {
        const QStringList lengths = ProjectionForm::LengthPresets(*units);
        EXPECT_EQ(lengths.size(), units == &feet ? 13 : 14);
        for (const QString& text : lengths) {
            EXPECT_TRUE(IsWallLengthInRange(units->ParseLength(text))) << text.toStdString();
        }
        for (const QString& text : ProjectionForm::DepthPresets(*units)) {
            EXPECT_GT(units->ParseLength(text), 0.0) << text.toStdString();
        }
    }
}

struct ApplyCase {
    const char* name;
    int selection;
    std::function<bool(CTracepadDoc&)> apply;
    std::function<bool(const CTracepadDoc&, const Room&)> effect;
};

template <typename Form>
std::function<bool(CTracepadDoc&)> Applied(std::function<void(Form&)> fill,
                                           std::function<Form(const CTracepadDoc&)> open) {
    return [fill, open](CTracepadDoc& doc) {
        Form form = open(doc);
        fill(form);
        return !form.Check(doc) && form.Apply(doc);
    };
}

TEST_F(FormTest, EachApplyIsOneUndoStep) {
    const auto near = [](double a, double b) { return std::fabs(a - b) < kPointTolerance; };
    const ApplyCase cases[] = {
        {"add wall", kRoom,
         Applied<WallForm>(
             [](WallForm& f) {
                 f.length = TextField("2");
                 f.direction = TextField("S");
             },
             [](const auto& d) { return WallForm::FromDocument(d, WallForm::Purpose::Add); }),
         [&](const auto&, const Room& r) {
             return r.WallCount(true) == 3 && near(r.GetWall(2, true)->GetLength(), 2.0);
         }},
        {"edit wall", 0,
         Applied<WallForm>(
             [](WallForm& f) {
                 f.length = TextField("5");
                 f.side = ProjectionSide::Right;
                 f.projection = TextField("1");
             },
             [](const auto& d) { return WallForm::FromDocument(d, WallForm::Purpose::Edit); }),
         [&](const auto&, const Room& r) {
             return near(r.GetWall(0, true)->GetLength(), 5.0) &&
                    near(r.GetWall(0, true)->GetArcHeight(), -1.0);
         }},
        {"move room", kRoom,
         Applied<MoveForm>(
             [](MoveForm& f) {
                 f.distance = TextField("1");
                 f.direction = TextField("E");
             },
             [](const auto& d) { return MoveForm::FromDocument(d, MoveForm::Target::Room); }),
         [&](const auto&, const Room& r) { return near(r.GetLocation().x, 1.0); }},
        {"move start point", kStartPoint,
         Applied<MoveForm>(
             [](MoveForm& f) {
                 f.distance = TextField("1");
                 f.direction = TextField("N");
             },
             [](const auto& d) { return MoveForm::FromDocument(d, MoveForm::Target::StartPoint); }),
         [&](const CTracepadDoc& d, const Room&) {
             return near(d.GetSite()->GetStartPoint().y, 1.0);
         }},
        {"projection", kRoom,
         Applied<ProjectionForm>(
             [](ProjectionForm& f) {
                 f.length = TextField("1");
                 f.depth = TextField("0.25");
             },
             [](const auto& d) { return ProjectionForm::FromDocument(d); }),
         [&](const auto&, const Room& r) { return r.WallCount(true) == 5; }},
        {"arc through a point 2.5 m from both ends", 1,
         Applied<ArcWallForm>(
             [](ArcWallForm& f) {
                 f.firstDistance = TextField("2.5");
                 f.secondDistance = TextField("2.5");
             },
             [](const auto& d) { return ArcWallForm::FromDocument(d); }),
         [&](const auto&, const Room& r) { return near(r.GetWall(1, true)->GetArcHeight(), 1.5); }},
        {"angle wall", 1,
         Applied<AngleWallForm>([](AngleWallForm& f) { f.distance = TextField("3"); },
                                [](const auto& d) { return AngleWallForm::FromDocument(d); }),
         [&](const auto&, const Room& r) {
             return near(Length(PlanPoint{0, 3} + r.GetWall(1, true)->GetVector()), 3.0);
         }},
        {"move wall end", 1,
         Applied<MoveWallEndForm>(
             [](MoveWallEndForm& f) {
                 f.distance = TextField("1");
                 f.direction = TextField("E");
             },
             [](const auto& d) { return MoveWallEndForm::FromDocument(d); }),
         [&](const auto&, const Room& r) { return near(r.GetWall(1, true)->GetLength(), 5.0); }},
        {"rotate", kRoom,
         Applied<RotateForm>(
             [](RotateForm& f) {
                 f.rotation = "90";
                 f.pivot = RoomPivot::RoomStartPoint;
             },
             [](const auto& d) { return RotateForm::FromDocument(d); }),
         [&](const auto&, const Room& r) {
             return near(r.GetWall(0, true)->GetDirection(), 90.0);
         }},
        {"reflect", kRoom,
         Applied<ReflectForm>([](ReflectForm& f) { f.mode = ReflectMode::Horizontal; },
                              [](const auto& d) { return ReflectForm::FromDocument(d); }),
         [&](const auto&, const Room& r) {
             return near(r.GetWall(1, true)->GetDirection(), 270.0);
         }},
        {"room start", kRoom,
         Applied<RoomStartForm>([](RoomStartForm&) {},
                                [](const CTracepadDoc& d) {
                                    RoomStartForm f = RoomStartForm::FromDocument(d);
                                    f.corner = RoomCorner(*d.GetCurrentRoom(), 2);
                                    return f;
                                }),
         [&](const auto&, const Room& r) {
             return near(r.GetStartPoint().x, 4.0) && near(r.GetStartPoint().y, 3.0);
         }},
        {"add room with a new material", kRoom,
         Applied<RoomForm>(
             [](RoomForm& f) {
                 f.name = "Hall";
                 f.material = "Slate";
                 f.newMaterial = NewMaterialChoice{0x123456, false};
             },
             [](const auto& d) { return RoomForm::FromDocument(d, RoomForm::Purpose::Add); }),
         [&](const CTracepadDoc& d, const Room&) {
             const Material* slate = d.GetSite()->FindMaterialByName("Slate");
             return d.GetCurrentRoom()->GetName() == "Hall" && slate != nullptr &&
                    slate->GetColour() == 0x123456u &&
                    d.GetCurrentRoom()->GetMaterial() == slate->GetIndex();
         }},
        {"edit room", kRoom,
         Applied<RoomForm>(
             [](RoomForm& f) {
                 f.name = "Den";
                 f.material = "tile";
             },
             [](const auto& d) { return RoomForm::FromDocument(d, RoomForm::Purpose::Edit); }),
         [&](const auto&, const Room& r) { return r.GetName() == "Den" && r.GetMaterial() == 1; }},
        {"material colour", kRoom,
         Applied<MaterialForm>([](MaterialForm& f) { f.colour = 0x010203; },
                               [](const auto& d) { return MaterialForm::FromDocument(d, "Tile"); }),
         [&](const CTracepadDoc& d, const Room&) {
             return d.GetSite()->FindMaterialByName("Tile")->GetColour() == 0x010203u;
         }},
    };
    for (const ApplyCase& c : cases) {
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

TEST_F(FormTest, ARefusedNewMaterialColourIsWarnedAndTheRoomTakesTheFirstMaterial) {
    RoomForm form = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Edit);
    form.material = QStringLiteral("Slate");
    ASSERT_TRUE(form.NamesNewMaterial(Doc()));
    TheRoom().SetMaterial(1);
    ASSERT_TRUE(form.Apply(Doc()));  // the preset colour is the default material's
    EXPECT_EQ(prompts_.Texts(), QStringList{"This color is being used by another material. "
                                            "Please select another color."});
    EXPECT_EQ(Doc().GetSite()->FindMaterialByName("Slate"), nullptr);
    EXPECT_EQ(TheRoom().GetMaterial(), 0);
}

TEST(ColourPaletteTest, FortyDistinctColoursTakenInOrder) {
    const auto palette = ColourPickerPalette();
    ASSERT_EQ(palette.size(), 40u);
    Site site;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const auto free = FirstUnusedPaletteColour(site);
        ASSERT_TRUE(free);
        EXPECT_EQ(free->colour, palette[i].colour) << palette[i].name;
        site.AddMaterial(QString::fromLatin1(palette[i].name), static_cast<int>(i) + 1,
                         free->colour);
    }
    EXPECT_FALSE(FirstUnusedPaletteColour(site));
    EXPECT_EQ(ColourText(MakeColour(165, 42, 0)), "#a52a00");
}

}  // namespace
}  // namespace plantrek
