// "plantrek-cli run" scripts of any lines: typed entries go through the input line and
// commands through their dialogs' checks and operations, against one document, and no line may
// bring a number into the plan that is not finite. Whatever the script made must save as a site
// file that opens again, and leave a template file that reads again. Commands that open or save
// files are left out: the fuzzer must not read or write files of its choosing.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <cstddef>
#include <cstdint>

#include "app/cli/script_commands.h"
#include "app/cli/script_reader.h"
#include "app/cli/stderr_prompts.h"
#include "document/files/site_file.h"
#include "document/files/site_file_writer.h"
#include "document/files/site_template.h"
#include "document/settings_store.h"
#include "document/tracepad_doc.h"
#include "fuzz/fuzz_support.h"
#include "model/site.h"

using namespace plantrek;

namespace {

// Every command that works on the document alone.
bool Allowed(const cli::ScriptLine& line) {
    static const QSet<QString> kCommands = {
        "new",           "select-start",  "select-room",    "select-wall",
        "finish",        "deselect-wall", "add-room",       "room-properties",
        "move-start",    "move-room",     "rotate",         "reflect",
        "front",         "back",          "delete-room",    "close",
        "add-wall",      "edit-wall",     "projection",     "arc-wall",
        "angle-wall",    "move-wall-end", "replace-wall",   "convert-walls",
        "reverse-walls", "room-start",    "material-color", "relative",
        "preferences",   "undo",          "redo",           "copy",
        "cut",           "paste",         "delete",         "info"};
    if (line.kind != cli::ScriptLine::Kind::Command) {
        return true;
    }
    QString error;
    const auto words = cli::SplitArguments(line.text.mid(1), &error);
    return !words || words->isEmpty() || kCommands.contains(words->first());
}

constexpr int kMostLines = 300;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // Each script starts from the settings and lists of a fresh user.
    QDir folder(fuzz::ScratchFolder() + QStringLiteral("/cli"));
    folder.removeRecursively();
    folder.mkpath(QStringLiteral("."));

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    // The first byte answers the document's questions.
    cli::StderrPrompts prompts(err, (data[0] & 1) != 0);
    CTracepadDoc doc(prompts, SettingsStore::AtFile(folder.filePath(QStringLiteral("s.ini"))),
                     TemplateLocation{folder.path(), QString()});
    doc.OnNewDocument();
    cli::ScriptInterpreter interpreter(doc, prompts, out);

    const QByteArray script(reinterpret_cast<const char*>(data + 1),
                            static_cast<qsizetype>(size - 1));
    int lines = 0;
    for (const cli::ScriptLine& line : cli::SplitScript(script)) {
        if (++lines > kMostLines) {
            break;
        }
        if (!Allowed(line)) {
            continue;
        }
        interpreter.Run(line);
        fuzz::RequireFiniteSite(*doc.GetSite());
        // Output grows with every :info; only the last is of interest.
        outText.clear();
        errText.clear();
    }

    const Site& site = *doc.GetSite();
    QByteArray saved;
    {
        QBuffer output(&saved);
        output.open(QIODevice::WriteOnly);
        CSiteFileWriter writer(output, QStringLiteral("fuzz.tcd"));
        site.Traverse(writer);
        fuzz::Require(writer.Finish(), "the plan did not save");
    }
    QBuffer input(&saved);
    input.open(QIODevice::ReadOnly);
    Site reread;
    fuzz::Require(LoadSiteFile(input, reread).ok, "the saved plan does not open");
    fuzz::Require(reread.RoomCount() == site.RoomCount(), "the saved plan lost or gained rooms");

    const QString templatePath = folder.filePath(QString::fromLatin1(CSiteTemplate::kFileName));
    if (QFileInfo::exists(templatePath)) {
        CSiteTemplate lists;
        fuzz::Require(CSiteTemplate::Read(templatePath, lists), "the template file does not read");
    }
    return 0;
}
