#include "view/status_bar_panes.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>

#include "document/tracepad_doc.h"
#include "view/commands/command_router.h"
#include "view/core/selection_text.h"
#include "view/meter_connection.h"
#include "view/meter_indicator.h"

namespace plantrek {

namespace {

// A pane whose text ends in "..." where the bar is too narrow for all of it, rather than being
// cut off mid-word; the whole text stays the label's (screen readers read it) and its tool tip.
class ElidingLabel : public QLabel {
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override {
        return {fontMetrics().horizontalAdvance(QStringLiteral("...")) * 4,
                QLabel::minimumSizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

}  // namespace

StatusBarPanes::StatusBarPanes(QStatusBar& bar, MeterConnection& meter, CommandRouter& router)
    : QObject(&bar), bar_(bar), selection_(new QLabel(&bar)), totals_(new ElidingLabel(&bar)) {
    selection_->setObjectName(QStringLiteral("SelectionPane"));
    // No accessible name: a label's name hides its text, and screen readers must hear what is
    // selected ("Selected: ...") and be told when it changes.
    bar_.addPermanentWidget(selection_);
    bar_.installEventFilter(this);
    totals_->setObjectName(QStringLiteral("TotalsPane"));
    bar_.addPermanentWidget(totals_);
    totals_->hide();
    bar_.addPermanentWidget(new MeterIndicator(meter, &bar));
    connect(&meter, &MeterConnection::stateChanged, &router, &CommandRouter::Refresh);
}

void StatusBarPanes::ShowSelection(const CTracepadDoc* active) {
    selection_->setText(active != nullptr ? SelectionText(*active) : QString());
}

void StatusBarPanes::ShowTotals(const CTracepadDoc* active, int level) {
    const QString text = active != nullptr && active->GetSite() != nullptr
                             ? LevelTotalsText(*active->GetSite(), level, active->Units(), levelTotals_)
                             : QString();
    totals_->setText(text);
    totals_->setToolTip(text);
    totals_->setVisible(!text.isEmpty());
}

bool StatusBarPanes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &bar_ && event->type() == QEvent::Resize) {
        selection_->setFixedWidth(bar_.width() / 4);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace plantrek
