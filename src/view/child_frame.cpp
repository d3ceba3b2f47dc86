#include "view/child_frame.h"

#include <QCloseEvent>
#include <QMdiArea>

#include "document/tracepad_doc.h"
#include "model/site.h"
#include "view/tracepad_view.h"

namespace plantrek {

CTracepadChildFrame::CTracepadChildFrame(std::shared_ptr<CTracepadDoc> doc, CloseCheck closeCheck,
                                         QWidget* parent)
    : QMdiSubWindow(parent), doc_(std::move(doc)), closeCheck_(std::move(closeCheck)) {
    setAttribute(Qt::WA_DeleteOnClose);
    plan_ = new CTracepadView(doc_.get(), this);
    setWidget(plan_);
    connect(doc_.get(), &CTracepadDoc::changed, this, &CTracepadChildFrame::UpdateTitle);
    connect(plan_, &CTracepadView::levelChanged, this, &CTracepadChildFrame::UpdateTitle);
    UpdateTitle();
}

CTracepadChildFrame::~CTracepadChildFrame() {
    // The plan view observes the document: it goes first.
    delete widget();
}

void CTracepadChildFrame::SetWindowNumber(int number) {
    windowNumber_ = number;
    UpdateTitle();
}

void CTracepadChildFrame::Activate() {
    if (QMdiArea* area = mdiArea()) {
        area->setActiveSubWindow(this);
    }
}

void CTracepadChildFrame::UpdateTitle() {
    QString title = DocumentWindowTitle(doc_->GetTitle(), windowNumber_);
    // "house.tcd - Upper Floor" once the site has more than one level.
    const Site* site = doc_->GetSite();
    if (site != nullptr && site->LevelCount() > 1) {
        title += QStringLiteral(" - ") + site->GetLevel(plan_->Level()).name;
    }
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(doc_->IsModified());
}

void CTracepadChildFrame::closeEvent(QCloseEvent* event) {
    if (closeCheck_ && !closeCheck_(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

bool CTracepadChildFrame::focusNextPrevChild(bool next) {
    return focusPass_ ? focusPass_(next) : QMdiSubWindow::focusNextPrevChild(next);
}

}  // namespace plantrek
