#include "app/cli/run_command.h"

#include <QFile>

#include "app/cli/cli_settings.h"
#include "app/cli/script_commands.h"
#include "app/cli/script_reader.h"
#include "app/cli/stderr_prompts.h"
#include "document/tracepad_doc.h"

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
    CliSettings settings;
    if (!settings.Prepare(&error)) {
        err << "plantrek-cli: " << error << '\n';
        return kExitFileFailed;
    }

    StderrPrompts prompts(err, options.answerYes);
    CTracepadDoc doc(prompts, settings.Store(), settings.Location());
    // Set before the document starts, so that its first undo state has them too.
    if (options.units || options.style) {
        PrefsInputValues input = doc.Prefs().GetInputValues();
        input.Input = options.units.value_or(input.Input);
        input.AngleStyle = options.style.value_or(input.AngleStyle);
        doc.Prefs().SetInputValues(input);
    }
    if (options.inPath.isEmpty()) {
        doc.OnNewDocument();
    } else if (!doc.OnOpenDocument(options.inPath)) {
        return kExitFileFailed;
    }
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
        if (options.strict && prompts.Problems() > 0) {
            out.flush();
            return kExitStrict;
        }
    }
    out.flush();

    if (!options.outPath.isEmpty() && !doc.DoSave(options.outPath)) {
        return kExitFileFailed;
    }
    if (options.persist) {
        if (const auto failure = settings.Persist(doc.Prefs(), options.units, options.style)) {
            prompts.ShowMessage(*failure, MessageIcon::Warning);
            return options.strict ? kExitStrict : kExitOk;
        }
    }
    return kExitOk;
}

}  // namespace plantrek::cli
