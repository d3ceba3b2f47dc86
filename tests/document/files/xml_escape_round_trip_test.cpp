// Whatever text a room, a site, a material or a template list holds, the file written with it
// opens again: tabs and line ends come back as they were, and the few characters no XML file
// can hold come back as U+FFFD instead of making the whole file unreadable.
#include "document/files/qstring_printer.h"
#include "document/files/site_file.h"
#include "document/files/site_template.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "model/room.h"
#include "model/site.h"

namespace plantrek {
namespace {

struct EscapeCase {
    const char* label;
    QString written;
    QString read;  // what a reader gets back; empty: what was written
};

std::vector<EscapeCase> Cases() {
    return {
        {"markup", "<a & 'b' \"c\">"},
        {"tab", "Hall\tNorth"},
        {"line_ends", "Two\nlines\r\nthree"},
        {"control", "a\001b\037", "a\uFFFDb\uFFFD"},
        {"nul", QString::fromLatin1("x\0y", 3), "x\uFFFDy"},
        {"nonchars", QString(QChar(0xFFFE)) + QChar(0xFFFF), "\uFFFD\uFFFD"},
        {"unicode", "\u00e9\U0001F3E0 \u6587"},
    };
}

TEST(XmlEscapeRoundTripTest, SiteAndTemplateFilesWithAnyNamesReadAgain) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (EscapeCase c : Cases()) {
        SCOPED_TRACE(c.label);
        c.read = c.read.isEmpty() ? c.written : c.read;
        Site site;
        site.SetName(c.written);
        site.AddMaterial(c.written, 3, 0x123456u);
        Room* room = site.AddRoom(c.written, 3);
        room->AddWall(3.0, 0.0);
        room->AddWall(2.0, 90.0);
        const QString path = dir.filePath(QStringLiteral("site.tcd"));
        ASSERT_TRUE(SaveSiteFile(site, path).ok);
        Site reread;
        const SiteFileResult opened = LoadSiteFile(path, reread);
        ASSERT_TRUE(opened.ok) << opened.errorText.toStdString();
        ASSERT_EQ(reread.RoomCount(), 1);
        EXPECT_EQ(reread.GetRoom(0)->GetName(), c.read);
        ASSERT_NE(reread.FindMaterialByIndex(3), nullptr);
        EXPECT_EQ(reread.FindMaterialByIndex(3)->GetName(), c.read);

        CSiteTemplate lists;
        lists.roomNames = {c.written};
        lists.materials = {TemplateMaterial{c.written, 0x00FF00u}};
        const QString templatePath = dir.filePath(QStringLiteral("TracepadTemplate"));
        ASSERT_TRUE(CSiteTemplate::Write(templatePath, lists));
        CSiteTemplate rereadLists;
        ASSERT_TRUE(CSiteTemplate::Read(templatePath, rereadLists));
        EXPECT_EQ(rereadLists.roomNames, QStringList{c.read});
        ASSERT_EQ(rereadLists.materials.size(), 1);
        EXPECT_EQ(rereadLists.materials[0].name, c.read);
    }
}

}  // namespace
}  // namespace plantrek
