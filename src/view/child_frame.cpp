#include "view/child_frame.h"

#include <QCloseEvent>

#include "document/tracepad_doc.h"
#include "view/tracepad_view.h"

namespace plantrek {

CTracepadChildFrame::CTracepadChildFrame(std::unique_ptr<CTracepadDoc> doc, CloseCheck closeCheck,
                                         QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::move(doc)), closeCheck_(std::move(closeCheck)) {
    setAttribute(Qt::WA_DeleteOnClose);
    plan_ = new CTracepadView(doc_.get(), this);
    setWidget(plan_);
    connect(doc_.get(), &CTracepadDoc::changed, this, &CTracepadChildFrame::UpdateTitle);
    UpdateTitle();
}

CTracepadChildFrame::~CTracepadChildFrame() {
    // The plan view observes the document: it goes first.
    delete widget();
}

void CTracepadChildFrame::UpdateTitle() {
    setWindowTitle(doc_->GetTitle() + QStringLiteral("[*]"));
    setWindowModified(doc_->IsModified());
}

void CTracepadChildFrame::closeEvent(QCloseEvent* event) {
    if (closeCheck_ && !closeCheck_(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace plantrek
