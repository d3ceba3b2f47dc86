#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>
#include <span>

#include "app/cli/script_reader.h"
#include "document/clip_item.h"

// Runs script lines against a document as the window's input line, menu commands and dialogs
// would: a command's words fill the form of its dialog, which is checked and applied as the
// dialog would check and apply it, under the same enable rules.
namespace plantrek {
class CTracepadDoc;
class UserPrompts;
struct CliArguments;
}  // namespace plantrek

namespace plantrek::cli {

class ScriptInterpreter {
public:
    using Result = std::optional<QString>;

    ScriptInterpreter(CTracepadDoc& doc, UserPrompts& prompts, QTextStream& out);
    ~ScriptInterpreter();

    // Runs one line. Nothing when it ran (whatever the document said about it), otherwise why
    // the line is no valid command.
    Result Run(const ScriptLine& line);

    // Whether an ":open" or ":save" of the script has failed.
    bool FileFailed() const { return fileFailed_; }

    // The commands and their arguments, for the usage text.
    static QString CommandSummary();
    // The names of every script command, in the script's own order.
    static QStringList CommandNames();

    // What a command's words may refer to while they fill its form; null while only their
    // spelling is checked, before the command is known to be available.
    struct Scene {
        const CTracepadDoc& doc;
        UserPrompts& prompts;
    };
    // Fills a form from a command's words, or says why the words are wrong.
    template <typename Form>
    using Binder = Result (*)(const QStringList& args, const Scene* scene, Form& form);

private:
    using Runner = std::function<Result(ScriptInterpreter&, int commandId, const QStringList&)>;
    struct Command;
    static std::span<const Command> Commands();
    static const Command* FindCommand(const QString& name);
    // What the command takes: its catalog row's arguments, else its own.
    static CliArguments ArgumentsOf(const Command& command);

    template <typename Form>
    static Runner WithForm(Binder<Form> bind);
    // A command without a dialog: the document's operation when the command is available.
    // A command on the wall its first two words name (ROOM WALL): selects it, then the form.
    template <typename Form>
    static Runner OnWall(Binder<Form> bind);
    template <typename Op>
    static Runner DocOp(Op op);

    // Shows "Command not available" unless the command is enabled now; id 0 always runs.
    bool Available(int commandId);
    // Words → form → check → apply, the one path of every command with a dialog.
    template <typename Form>
    Result RunForm(int commandId, const QStringList& args, Binder<Form> bind);

    CTracepadDoc& doc_;
    UserPrompts& prompts_;
    QTextStream& out_;
    QString current_;  // the command being run, as typed
    CClipHolder clip_;
    bool fileFailed_ = false;
};

}  // namespace plantrek::cli
