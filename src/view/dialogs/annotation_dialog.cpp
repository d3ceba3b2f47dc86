#include "view/dialogs/annotation_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "audio/audio_activity.h"
#include "view/dialogs/rename_annotation_dialog.h"
#include "view/dialogs/recording_dialog.h"

namespace plantrek {

AnnotationDialog::AnnotationDialog(AnnotationList& list, const AudioServices& audio,
                                   std::function<void()> modified, QWidget* parent)
    : QDialog(parent),
      recordingDialog_(std::make_unique<QtRecordingDialogRunner>(this)),
      audio_{audio.player, audio.recorder, audio.space, audio.prompts, *recordingDialog_},
      session_(list, audio_, std::move(modified)) {
    setWindowTitle(QStringLiteral("Annotation"));
    auto* layout = new QHBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setAccessibleName(QStringLiteral("Annotations"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    const QFontMetrics metrics = fontMetrics();
    list_->setMinimumSize(metrics.averageCharWidth() * 28, metrics.height() * 8);
    layout->addWidget(list_, 1);

    auto* column = new QVBoxLayout;
    auto button = [this, column](const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        column->addWidget(b);
        return b;
    };
    play_ = button(QStringLiteral("&Play"));
    stop_ = button(QStringLiteral("&Stop"));
    record_ = button(QStringLiteral("&Record"));
    rename_ = button(QStringLiteral("Re&name"));
    delete_ = button(QStringLiteral("&Delete"));
    column->addStretch(1);
    // A plain button like its neighbours; Enter in the list closes the dialog through it.
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    column->addWidget(ok);
    layout->addLayout(column);

    connect(play_, &QPushButton::clicked, this, &AnnotationDialog::OnPlay);
    connect(stop_, &QPushButton::clicked, this, [this] { Apply(session_.Stop()); });
    connect(record_, &QPushButton::clicked, this, &AnnotationDialog::OnRecord);
    connect(rename_, &QPushButton::clicked, this, &AnnotationDialog::OnRename);
    connect(delete_, &QPushButton::clicked, this, &AnnotationDialog::OnDelete);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QListWidget::itemDoubleClicked, this, &AnnotationDialog::OnPlay);

    Refill();
    Apply(session_.Opening());
    timer_ = new QTimer(this);
    timer_->setInterval(750);
    connect(timer_, &QTimer::timeout, this, &AnnotationDialog::Tick);
    timer_->start();
    list_->setFocus();
}

AnnotationDialog::~AnnotationDialog() {
    if (audio_.player.Listener() == this) {
        audio_.player.SetListener(nullptr);
    }
}

void AnnotationDialog::Apply(const AnnotationSession::Buttons& buttons) {
    play_->setEnabled(buttons.play);
    stop_->setEnabled(buttons.stop);
    record_->setEnabled(buttons.record);
    rename_->setEnabled(buttons.rename);
    delete_->setEnabled(buttons.remove);
}

void AnnotationDialog::Refill() {
    list_->clear();
    list_->addItems(session_.Lines());
    list_->setCurrentRow(session_.CurrentLine());
}

int AnnotationDialog::Selected() const {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    return chosen.isEmpty() ? -1 : list_->row(chosen.front());
}

void AnnotationDialog::Tick() {
    if (const auto buttons = session_.Tick(Selected())) {
        Apply(*buttons);
    }
}

void AnnotationDialog::OnPlay() {
    if (stop_->isEnabled() && !play_->isEnabled()) {
        return;  // a double click while a note plays
    }
    Apply(session_.Play(Selected()));
    if (AudioActivity::IsPlaying()) {
        audio_.player.SetListener(this);
        stop_->setFocus();
    }
}

void AnnotationDialog::PlaybackFinished() {
    Apply(session_.Stop());
}

void AnnotationDialog::OnRecord() {
    session_.Record();
    Refill();
    if (const auto buttons = session_.Tick(Selected())) {
        Apply(*buttons);
    }
}

void AnnotationDialog::OnRename() {
    const int selected = Selected();
    if (selected < 0) {
        return;
    }
    RenameAnnotationDialog dialog(session_.RenameText(selected), this);
    if (dialog.exec() == QDialog::Accepted && session_.Rename(selected, dialog.Name())) {
        Refill();
        list_->setCurrentRow(selected);
    }
}

void AnnotationDialog::OnDelete() {
    const int selected = Selected();
    if (session_.Delete(selected)) {
        Refill();
    }
    // Deleting stops what plays, whatever the answer.
    if (const auto buttons = session_.Tick(Selected())) {
        Apply(*buttons);
    }
}

void AnnotationDialog::done(int result) {
    timer_->stop();
    QDialog::done(result);
}

}  // namespace plantrek
