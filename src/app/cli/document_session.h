#pragma once

#include <QString>
#include <QTextStream>

#include <memory>
#include <optional>

#include "app/cli/cli_settings.h"
#include "app/cli/stderr_prompts.h"
#include "document/tracepad_doc.h"

// The one site document a command works on: made with private copies of the user's settings,
// talking through messages on standard error, started as File > New or File > Open, and saved
// at the end as Save As does.
namespace plantrek::cli {

class DocumentSession {
public:
    // answerYes answers the document's questions (the one about rooms that are not closed).
    DocumentSession(QTextStream& err, bool answerYes) : err_(err), prompts_(err, answerYes) {}

    // Copies the settings, makes the document with the input values given for this run only,
    // and starts it as File > New, or as File > Open of inPath when there is one. False when
    // there is no place for the copies or the file did not open; the reason has been printed.
    bool Start(const QString& inPath, std::optional<int> units = std::nullopt,
               std::optional<int> style = std::nullopt);
    // Save As to outPath; nothing to do without a path. False when it was not saved; the
    // question and the reason have been printed.
    bool SaveAs(const QString& outPath);

    // Only after Start succeeded.
    CTracepadDoc& Doc() { return *doc_; }
    StderrPrompts& Prompts() { return prompts_; }
    CliSettings& Settings() { return settings_; }

private:
    QTextStream& err_;
    StderrPrompts prompts_;
    CliSettings settings_;
    // Declared last: it talks to the prompts and settings until it is gone.
    std::unique_ptr<CTracepadDoc> doc_;
};

}  // namespace plantrek::cli
