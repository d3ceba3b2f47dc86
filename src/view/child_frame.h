#pragma once

#include <QMdiSubWindow>

#include <functional>
#include <memory>

#include "document/document_manager.h"

// One document in its own window inside the main frame: it owns the document and shows its
// plan. Closing it asks, through the main frame, whether to save the document.
namespace plantrek {

class CTracepadDoc;
class CTracepadView;

class CTracepadChildFrame : public QMdiSubWindow, public DocumentWindow {
    Q_OBJECT
public:
    // True when the window may close (saved, not wanted, or not modified).
    using CloseCheck = std::function<bool(CTracepadChildFrame&)>;

    CTracepadChildFrame(std::shared_ptr<CTracepadDoc> doc, CloseCheck closeCheck,
                        QWidget* parent = nullptr);
    ~CTracepadChildFrame() override;

    CTracepadDoc& Document() override { return *doc_; }
    // The document, for another window on it (Window > New Window).
    const std::shared_ptr<CTracepadDoc>& SharedDocument() const { return doc_; }
    // 0 while this is the document's only window; else its number, shown as "Plantrek1:2".
    void SetWindowNumber(int number) override;
    void Activate() override;
    CTracepadView& Plan() { return *plan_; }
    // Takes the document's title, the level the plan shows (when the site has several) and the
    // modified flag into the window title.
    void UpdateTitle();
    // Tab and Shift+Tab inside this window: the main frame decides where the focus goes, so
    // that it never wanders into another site's window. Returns whether it moved.
    using FocusPass = std::function<bool(bool next)>;
    void SetFocusPass(FocusPass pass) { focusPass_ = std::move(pass); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    std::shared_ptr<CTracepadDoc> doc_;
    int windowNumber_ = 0;
    CTracepadView* plan_;
    CloseCheck closeCheck_;
    FocusPass focusPass_;
};

}  // namespace plantrek
