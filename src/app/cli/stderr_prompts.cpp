#include "app/cli/stderr_prompts.h"

namespace plantrek::cli {

QString OneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    line.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return line;
}

void StderrPrompts::ShowMessage(const QString& text, MessageIcon icon) {
    const char* kind = "information";
    switch (icon) {
        case MessageIcon::Error:
            kind = "error";
            ++problems_;
            break;
        case MessageIcon::Warning:
            kind = "warning";
            ++problems_;
            break;
        case MessageIcon::Information:
            break;
    }
    err_ << kind << ": " << OneLine(text) << '\n';
    err_.flush();
}

bool StderrPrompts::AskYesNo(const QString& text) {
    err_ << "question: " << OneLine(text) << " -> " << (answerYes_ ? "yes" : "no") << '\n';
    err_.flush();
    return answerYes_;
}

}  // namespace plantrek::cli
