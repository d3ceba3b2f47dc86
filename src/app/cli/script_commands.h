#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>
#include <span>

#include "app/cli/script_reader.h"
#include "document/clip_item.h"
#include "model/geometry.h"

// Runs script lines against a document as the window's input line, menu commands and dialogs
// would: the same enable rules, the same field checks with the same messages, the same
// operations.
namespace plantrek {
class CTracepadDoc;
class UserPrompts;
}  // namespace plantrek

namespace plantrek::cli {

class ScriptInterpreter {
public:
    ScriptInterpreter(CTracepadDoc& doc, UserPrompts& prompts, QTextStream& out);
    ~ScriptInterpreter();

    // Runs one line. Nothing when it ran (whatever the document said about it), otherwise why
    // the line is no valid command.
    std::optional<QString> Run(const ScriptLine& line);

    // The commands and their arguments, for the usage text.
    static QString CommandSummary();

    using Result = std::optional<QString>;

private:
    struct CommandEntry;
    static std::span<const CommandEntry> Entries();
    static const CommandEntry* FindEntry(const QString& name);

    // Shows "Command not available" unless the command is enabled now.
    bool Available(int commandId, const QString& name);
    std::optional<PlanPoint> Corner(const QString& text) const;

    Result New(const QStringList& args);
    Result Open(const QStringList& args);
    Result Save(const QStringList& args);
    Result SelectStart(const QStringList& args);
    Result SelectRoom(const QStringList& args);
    Result SelectWall(const QStringList& args);
    Result Finish(const QStringList& args);
    Result DeselectWall(const QStringList& args);
    Result AddRoom(const QStringList& args);
    Result RoomProperties(const QStringList& args);
    Result MoveStart(const QStringList& args);
    Result MoveRoom(const QStringList& args);
    Result Rotate(const QStringList& args);
    Result Reflect(const QStringList& args);
    Result Front(const QStringList& args);
    Result Back(const QStringList& args);
    Result DeleteRoom(const QStringList& args);
    Result Close(const QStringList& args);
    Result AddWall(const QStringList& args);
    Result EditWall(const QStringList& args);
    Result Projection(const QStringList& args);
    Result ArcWall(const QStringList& args);
    Result AngleWall(const QStringList& args);
    Result MoveWallEnd(const QStringList& args);
    Result ReplaceWall(const QStringList& args);
    Result ConvertWalls(const QStringList& args);
    Result ReverseWalls(const QStringList& args);
    Result RoomStart(const QStringList& args);
    Result MaterialColor(const QStringList& args);
    Result Relative(const QStringList& args);
    Result Preferences(const QStringList& args);
    Result Undo(const QStringList& args);
    Result Redo(const QStringList& args);
    Result Copy(const QStringList& args);
    Result Cut(const QStringList& args);
    Result Paste(const QStringList& args);
    Result Delete(const QStringList& args);
    Result Info(const QStringList& args);
    Result NoteSite(const QStringList& args);
    Result NoteRoom(const QStringList& args);

    // Add Room and Room Properties share the material arguments: [COLOR] [temporary].
    Result RoomWithMaterial(const QStringList& args, bool properties);
    // Add Wall and Edit Wall share their fields.
    Result WallDialog(const QStringList& args, bool edit);
    // The two Move dialogs.
    Result MoveDialog(const QStringList& args, int commandId, bool room);
    // Reports a refused dialog field; true when there was one.
    bool Refused(const std::optional<QString>& refusal);

    CTracepadDoc& doc_;
    UserPrompts& prompts_;
    QTextStream& out_;
    QString current_;  // the command being run, as typed
    std::unique_ptr<CClipItem> kept_;
};

}  // namespace plantrek::cli
