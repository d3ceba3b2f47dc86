#include "view/dialogs/recording_dialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace plantrek {

namespace {

constexpr int kIconSize = 32;

}  // namespace

RecordingDialog::RecordingDialog(const FreeSpaceSource& space, std::function<bool()> writeFailed,
                                 QWidget* parent)
    : QDialog(parent), clock_(space, std::move(writeFailed)) {
    setWindowTitle(QStringLiteral("Recording..."));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    icon_ = new QLabel(this);
    // The label keeps its size while the icon blinks, so nothing beside it jumps.
    icon_->setFixedSize(kIconSize, kIconSize);
    icon_->setAccessibleName(QStringLiteral("Recording"));
    top->addWidget(icon_, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Available Recording Time:"), this);
    time_ = new QLabel(QStringLiteral("Over 2 hours"), this);
    // Room for the longest text, so the dialog never changes size while it counts down.
    time_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Less than 1 minute!")));
    QFont bold = time_->font();
    bold.setBold(true);
    time_->setFont(bold);
    // Named by its buddy caption; an accessible name would hide the time left.
    caption->setBuddy(time_);
    texts->addWidget(caption);
    texts->addWidget(time_);
    top->addLayout(texts, 1);
    layout->addLayout(top);
    layout->addSpacing(fontMetrics().height() / 2);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Save Recording"), this);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel Recording"), this);
    save->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] { done(kRecordingSaved); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(kRecordingCancelled); });

    const RecordingTimeText opening = clock_.Opening();
    time_->setText(opening.text);
    endsAtOnce_ = opening.endsRecording;
    icon_->setPixmap(QIcon(QStringLiteral(":/icons/177.svg"))
                         .pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));

    timer_ = new QTimer(this);
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &RecordingDialog::Tick);
    setFixedSize(sizeHint());
}

int RecordingDialog::Run() {
    if (endsAtOnce_) {
        setResult(kRecordingEndedItself);
        return kRecordingEndedItself;
    }
    return exec();
}

bool RecordingDialog::IconShown() const {
    return !icon_->pixmap().isNull();
}

void RecordingDialog::Tick() {
    const RecordingClock::Tick tick = clock_.Next();
    if (tick.iconVisible) {
        icon_->setPixmap(QIcon(QStringLiteral(":/icons/177.svg"))
                             .pixmap(QSize(kIconSize, kIconSize), devicePixelRatioF()));
    } else {
        icon_->setPixmap(QPixmap());
    }
    if (tick.time) {
        time_->setText(tick.time->text);
    }
    if (tick.endsRecording) {
        done(kRecordingEndedItself);
    }
}

void RecordingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    timer_->start();
}

void RecordingDialog::done(int result) {
    timer_->stop();
    QDialog::done(result);
}

void RecordingDialog::reject() {
    done(kRecordingCancelled);
}

int QtRecordingDialogRunner::Run(const AudioRecorder& recorder, const FreeSpaceSource& space) {
    RecordingDialog dialog(space, [&recorder] { return recorder.WriteFailed(); }, parent_);
    return dialog.Run();
}

}  // namespace plantrek
