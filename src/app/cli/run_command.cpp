#include "app/cli/run_command.h"

#include <QFile>

#include "app/cli/document_session.h"
#include "app/cli/script_commands.h"
#include "app/cli/script_reader.h"

namespace plantrek::cli {

namespace {

std::optional<QByteArray> ReadScript(const QString& path, QString* error) {
    QFile file;
    bool opened = false;
    if (path == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        *error = QStringLiteral("cannot read the script \"%1\": %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return file.readAll();
}

}  // namespace

int RunScript(const RunOptions& options, QTextStream& out, QTextStream& err) {
    QString error;
    const auto script = options.script.isEmpty() ? std::optional<QByteArray>(options.scriptText)
                                                 : ReadScript(options.script, &error);
    if (!script) {
        err << "plantrek-cli: " << error << '\n';
        return kExitUsage;
    }
    DocumentSession session(err, options.answerYes);
    if (!session.Start(options.inPath, options.units, options.style)) {
        return kExitFileFailed;
    }
    CTracepadDoc& doc = session.Doc();
    StderrPrompts& prompts = session.Prompts();
    if (options.strict && prompts.Problems() > 0) {
        return kExitStrict;
    }

    ScriptInterpreter interpreter(doc, prompts, out);
    for (const ScriptLine& line : SplitScript(*script)) {
        if (const auto wrong = interpreter.Run(line)) {
            out.flush();
            err << "plantrek-cli: line " << line.number << ": " << *wrong << '\n';
            return kExitUsage;
        }
        // A site that did not open or save ends the run as --in and --out do.
        if (interpreter.FileFailed()) {
            out.flush();
            return kExitFileFailed;
        }
        if (options.strict && prompts.Problems() > 0) {
            out.flush();
            return kExitStrict;
        }
    }
    out.flush();

    if (!session.SaveAs(options.outPath)) {
        return kExitFileFailed;
    }
    if (options.persist) {
        if (const auto failure =
                session.Settings().Persist(doc.Prefs(), options.units, options.style)) {
            prompts.ShowMessage(*failure, MessageIcon::Warning);
            return options.strict ? kExitStrict : kExitOk;
        }
    }
    return kExitOk;
}

}  // namespace plantrek::cli
