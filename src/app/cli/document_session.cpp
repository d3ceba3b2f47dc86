#include "app/cli/document_session.h"

namespace plantrek::cli {

bool DocumentSession::Start(const QString& inPath, std::optional<int> units,
                            std::optional<int> style) {
    QString error;
    if (!settings_.Prepare(&error)) {
        err_ << "plantrek-cli: " << error << '\n';
        err_.flush();
        return false;
    }
    doc_ = std::make_unique<CTracepadDoc>(prompts_, settings_.Store(), settings_.Location());
    // Set before the document starts, so that its first undo state has them too.
    if (units || style) {
        PrefsInputValues input = doc_->Prefs().GetInputValues();
        input.Input = units.value_or(input.Input);
        input.AngleStyle = style.value_or(input.AngleStyle);
        doc_->Prefs().SetInputValues(input);
    }
    if (inPath.isEmpty()) {
        doc_->OnNewDocument();
        return true;
    }
    return doc_->OnOpenDocument(inPath);
}

bool DocumentSession::SaveAs(const QString& outPath) {
    return outPath.isEmpty() || doc_->DoSave(outPath);
}

}  // namespace plantrek::cli
