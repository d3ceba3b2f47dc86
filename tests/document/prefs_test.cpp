#include "document/prefs.h"
#include "document/files/qstring_printer.h"

#include <gtest/gtest.h>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace plantrek {
namespace {

class PrefsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString IniPath() const { return dir_.filePath("settings.ini"); }
    SettingsStore Store() { return store_; }
    TemplateLocation Location() const {
        return TemplateLocation{dir_.filePath("user"), dir_.filePath("program")};
    }
    CPrefs MakePrefs() { return CPrefs(store_, Location()); }

    // What is stored, read back without any of the program's own reading rules.
    QSettings Stored() const { return QSettings(IniPath(), QSettings::IniFormat); }
    // The stored values of the keys named, space-separated.
    QString Stored(const QString& keys) const {
        QStringList values;
        for (const QString& key : keys.split(u' ')) {
            values.append(Stored().value(key).toString());
        }
        return values.join(u' ');
    }
    void Put(const QString& name, const QVariant& value) {
        QSettings settings(IniPath(), QSettings::IniFormat);
        settings.setValue(name, value);
    }

    QTemporaryDir dir_;
    SettingsStore store_ = SettingsStore::AtFile(dir_.filePath("settings.ini"));
};

TEST_F(PrefsTest, DefaultsApplyWithNothingStoredAndNothingIsWrittenByReading) {
    CPrefs prefs = MakePrefs();
    EXPECT_FALSE(prefs.ValuesLoaded());
    EXPECT_EQ(prefs.GetInputValues(), (PrefsInputValues{0, 0, 1, 0, 0}));
    EXPECT_TRUE(prefs.ValuesLoaded());
    EXPECT_EQ(prefs.GetDrawingValues(),
              (PrefsDrawingValues{0x000000, 0xFF0000, 0x00FF00, 0x0000FF, true}));
    EXPECT_FALSE(prefs.GetDragMode());
    EXPECT_EQ(prefs.GetExportType(), "dxf");
    EXPECT_TRUE(Stored().allKeys().isEmpty());
    EXPECT_FALSE(QFile::exists(IniPath()));
}

TEST_F(PrefsTest, FirstChangeWritesEveryValueItHolds) {
    MakePrefs().SetInputValues(PrefsInputValues{1, 1, 1, 0, 0});

    // Every value, as the settings file holds it.
    QSettings stored = Stored();
    QStringList values;
    for (const QString& key : stored.allKeys()) {
        values.append(key + "=" + stored.value(key).toString());
    }
    values.sort();
    EXPECT_EQ(values, (QStringList{"AddedColor=65280", "AngleStyle=1", "COM=1", "DirectionMode=0",
                                   "DisplayKeypad=0", "DragMode=0", "ExportType=dxf", "Input=1",
                                   "QuickMode=0", "RemovedColor=255", "SelectedColor=16711680",
                                   "ShowNames=1", "WallColor=0", "WallLengths=0"}));
}

TEST_F(PrefsTest, EverySetterRoundTripsThroughANewDocument) {
    {
        CPrefs prefs = MakePrefs();
        prefs.SetInputValues(PrefsInputValues{1, 1, 7, 1, 1});
        prefs.SetDrawingValues(PrefsDrawingValues{0x010203, 0xFFFFFFFF, 0x80000000, 5, false});
        prefs.ToggleDragMode();
        prefs.SetExportType("JPG");
    }
    CPrefs reread = MakePrefs();
    EXPECT_EQ(reread.GetInputValues(), (PrefsInputValues{1, 1, 7, 1, 1}));
    EXPECT_EQ(reread.GetDrawingValues(),
              (PrefsDrawingValues{0x010203, 0xFFFFFFFF, 0x80000000, 5, false}));
    EXPECT_TRUE(reread.GetDragMode());
    EXPECT_EQ(reread.GetExportType(), "JPG");
    reread.ToggleDragMode();
    EXPECT_FALSE(MakePrefs().GetDragMode());
}

TEST_F(PrefsTest, SettingOneGroupKeepsTheOtherStoredGroup) {
    Put("WallColor", 0x00AA00);
    Put("ShowNames", 0);
    Put("ExportType", "csv");
    CPrefs prefs = MakePrefs();
    prefs.SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});  // without reading anything first
    EXPECT_EQ(Stored("WallColor ShowNames ExportType"), "43520 0 csv");
}

TEST_F(PrefsTest, BooleansAreTrueWhenNotZero) {
    Put("DirectionMode", 5);
    Put("QuickMode", -1);
    Put("ShowNames", 0);
    Put("DragMode", 2);
    Put("DisplayKeypad", 3);
    EXPECT_TRUE(ReadKeypadSettings(Store()).display);
    CPrefs prefs = MakePrefs();
    EXPECT_EQ(prefs.GetInputValues().DirectionMode, 1);
    EXPECT_EQ(prefs.GetInputValues().QuickMode, 1);
    EXPECT_FALSE(prefs.GetDrawingValues().ShowNames);
    EXPECT_TRUE(prefs.GetDragMode());
    prefs.ToggleDragMode();
    EXPECT_EQ(Stored("DirectionMode DragMode"), "1 0");
}

TEST_F(PrefsTest, UnreadableValuesKeepTheDefaults) {
    const QVariant cases[] = {"abc", "nan", "2.5", "4294967296", QStringList{"1", "2"}, QString()};
    for (const QVariant& stored : cases) {
        SCOPED_TRACE(stored.toStringList().join(u',').toStdString());
        for (const char* name : {"Input", "AngleStyle", "COM", "WallColor", "SelectedColor",
                                 "ShowNames", "RoomSummaryName", "KeypadX"}) {
            Put(name, stored);
        }
        CPrefs prefs = MakePrefs();
        EXPECT_EQ(prefs.GetInputValues(), PrefsInputValues());
        EXPECT_EQ(prefs.GetDrawingValues(), PrefsDrawingValues());
        EXPECT_EQ(ReadRoomSummaryWidths(Store()).name, 90);
        EXPECT_FALSE(ReadKeypadSettings(Store()).x.has_value());
    }
}

TEST_F(PrefsTest, DefaultHeightFollowsTheUnitsUntilChosen) {
    CPrefs prefs = MakePrefs();
    EXPECT_DOUBLE_EQ(prefs.GetDefaultHeight(), 8 * 0.3048);
    prefs.SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});
    EXPECT_DOUBLE_EQ(prefs.GetDefaultHeight(), 2.5);
    EXPECT_FALSE(Stored().contains("DefaultHeight"));

    prefs.SetDefaultHeight(2.7);
    EXPECT_EQ(Stored("DefaultHeight"), "27000");
    EXPECT_DOUBLE_EQ(MakePrefs().GetDefaultHeight(), 2.7);
    prefs.SetDefaultHeight(0.0);
    EXPECT_FALSE(Stored().contains("DefaultHeight"));

    for (const QVariant& stored : {QVariant(-5), QVariant(0), QVariant(2000000), QVariant("x")}) {
        Put("DefaultHeight", stored);
        EXPECT_DOUBLE_EQ(MakePrefs().GetDefaultHeight(), 2.5) << stored.toString().toStdString();
    }
}

TEST_F(PrefsTest, ExportTypeIsReadOnlyWhenItIsText) {
    Put("ExportType", QStringList{"gif", "bmp"});
    EXPECT_EQ(MakePrefs().GetExportType(), "dxf");
    Put("ExportType", "gif");
    EXPECT_EQ(MakePrefs().GetExportType(), "gif");
}

// Once read, a document keeps its copy whatever is stored later.
TEST_F(PrefsTest, EachDocumentKeepsItsOwnCopyAndTheLastWriteWins) {
    CPrefs first = MakePrefs();
    CPrefs second = MakePrefs();
    EXPECT_EQ(first.GetInputValues().Input + second.GetInputValues().Input, 0);
    first.SetInputValues(PrefsInputValues{1, 0, 1, 0, 0});
    EXPECT_EQ(second.GetInputValues().Input, 0);
    second.SetDrawingValues(PrefsDrawingValues{});
    EXPECT_EQ(Stored().value("Input").toInt(), 0);
}

TEST_F(PrefsTest, DisplayKeypadIsOneValueForTheApplication) {
    Put("DisplayKeypad", 0);
    KeypadSettings keypad = ReadKeypadSettings(Store());
    EXPECT_FALSE(keypad.display || keypad.x || keypad.y);

    // The user shows the keypad; a document opened afterwards must not turn the flag back.
    Store().SetDisplayKeypad(true);
    CPrefs prefs = MakePrefs();
    prefs.GetInputValues();
    EXPECT_TRUE(Store().DisplayKeypad());
    prefs.ToggleDragMode();
    EXPECT_EQ(Stored().value("DisplayKeypad").toInt(), 1);

    // What a fresh start reads back is the main frame's test (TheKeypadsPlaceSurvivesARestart).
    WriteKeypadSettings(Store(), false, -20, 300);
    EXPECT_FALSE(Store().DisplayKeypad());
    EXPECT_EQ(Stored().value("DisplayKeypad").toInt(), 0);
}

TEST_F(PrefsTest, RoomSummaryWidths) {
    EXPECT_EQ(ReadRoomSummaryWidths(Store()), (RoomSummaryWidths{90, 65, 65}));
    Put("RoomSummaryArea", 120);
    EXPECT_EQ(ReadRoomSummaryWidths(Store()), (RoomSummaryWidths{90, 120, 65}));
    WriteRoomSummaryWidths(Store(), RoomSummaryWidths{10, 20, 30});
    EXPECT_EQ(ReadRoomSummaryWidths(Store()), (RoomSummaryWidths{10, 20, 30}));
}

TEST_F(PrefsTest, ListsComeFromTheTemplateFileOnFirstUse) {
    CSiteTemplate shipped;
    shipped.roomNames = {"Shipped"};
    ASSERT_TRUE(CSiteTemplate::Write(Location().programFolder + "/TracepadTemplate", shipped));

    CPrefs prefs = MakePrefs();
    EXPECT_FALSE(prefs.ListsLoaded());
    EXPECT_EQ(prefs.GetRoomNames(), QStringList{"Shipped"});
    EXPECT_TRUE(prefs.ListsLoaded());

    // Changes go to the user's copy, which from then on is the one read.
    const QList<TemplateMaterial> materials{{"Oak", 0x336699}};
    EXPECT_TRUE(prefs.SetMaterials(materials));
    CSiteTemplate user;
    ASSERT_TRUE(CSiteTemplate::Read(Location().WritePath(), user));
    EXPECT_EQ(user.roomNames, QStringList{"Shipped"});
    EXPECT_EQ(user.materials, materials);
    CSiteTemplate program;
    ASSERT_TRUE(CSiteTemplate::Read(Location().programFolder + "/TracepadTemplate", program));
    EXPECT_EQ(program, shipped);

    CPrefs other = MakePrefs();
    EXPECT_EQ(other.GetMaterials(), materials);
}

TEST_F(PrefsTest, SettingOneListBeforeReadingKeepsTheOther) {
    CSiteTemplate stored;
    stored.roomNames = {"Hall", "Bath"};
    stored.materials = {{"Tile", 1}};
    ASSERT_TRUE(CSiteTemplate::Write(Location().WritePath(), stored));

    CPrefs prefs = MakePrefs();
    EXPECT_TRUE(prefs.SetRoomNames({"Study"}));
    CSiteTemplate read;
    ASSERT_TRUE(CSiteTemplate::Read(Location().WritePath(), read));
    EXPECT_EQ(read.roomNames, QStringList{"Study"});
    EXPECT_EQ(read.materials, stored.materials);
}

TEST_F(PrefsTest, MissingOrBadTemplateGivesEmptyLists) {
    CPrefs prefs = MakePrefs();
    EXPECT_TRUE(prefs.GetRoomNames().isEmpty());
    EXPECT_TRUE(prefs.GetMaterials().isEmpty());
    EXPECT_TRUE(prefs.ListsLoaded());

    QDir().mkpath(Location().userFolder);
    QFile bad(Location().WritePath());
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) &&
                bad.write("<tcdisto_template><room name=\"Half\"/>") > 0);
    bad.close();
    EXPECT_TRUE(MakePrefs().GetRoomNames().isEmpty());
}

}  // namespace
}  // namespace plantrek
