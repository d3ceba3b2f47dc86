#pragma once

#include <QTextStream>

#include "document/user_prompts.h"

// The document's messages and questions as lines on standard error: "error: TEXT",
// "warning: TEXT", "information: TEXT" and "question: TEXT -> yes|no". A line break inside a
// text is written as the two characters \n so that every message stays one line.
namespace plantrek::cli {

class StderrPrompts : public UserPrompts {
public:
    StderrPrompts(QTextStream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}

    void ShowMessage(const QString& text, MessageIcon icon) override;
    bool AskYesNo(const QString& text) override;

    // How many errors and warnings were shown so far.
    int Problems() const { return problems_; }

private:
    QTextStream& err_;
    bool answerYes_;
    int problems_ = 0;
};

QString OneLine(const QString& text);

}  // namespace plantrek::cli
