// What a screen reader reads: every text the window, the keypad and the dialogs show, found
// through Qt's accessibility interfaces as assistive tools find it.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>

#include <functional>
#include <map>
#include <memory>

#include "audio/audio_activity.h"
#include "document/forms/arc_wall_form.h"
#include "document/forms/colour_palette.h"
#include "document/forms/move_form.h"
#include "document/forms/preferences_form.h"
#include "document/forms/projection_form.h"
#include "document/forms/room_form.h"
#include "document/forms/room_transform_forms.h"
#include "document/forms/wall_form.h"
#include "frame_fixture.h"
#include "view/dialogs/about_dialog.h"
#include "view/dialogs/angle_wall_dialog.h"
#include "view/dialogs/annotation_dialog.h"
#include "view/dialogs/arc_wall_dialog.h"
#include "view/dialogs/colour_picker.h"
#include "view/dialogs/material_dialog.h"
#include "view/dialogs/move_dialog.h"
#include "view/dialogs/new_material_dialog.h"
#include "view/dialogs/preferences_dialog.h"
#include "view/dialogs/projection_dialog.h"
#include "view/dialogs/recovery_dialog.h"
#include "view/dialogs/recording_dialog.h"
#include "view/dialogs/rename_annotation_dialog.h"
#include "view/dialogs/room_dialog.h"
#include "view/dialogs/room_summary_dialog.h"
#include "view/dialogs/room_turn_dialogs.h"
#include "view/dialogs/select_corners_dialog.h"
#include "view/dialogs/wall_dialog.h"
#include "view/keypad.h"

namespace plantrek::test {
namespace {

// The text as read aloud: rich text as plain text, mnemonic marks and spacing left out.
QString Spoken(QString text) {
    if (Qt::mightBeRichText(text)) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// What the widget shows as text to someone who sees it; empty for pictures and for the parts
// that a larger control shows (a combo box's line edit).
QString ShownText(const QWidget& widget) {
    if (auto* colour = qobject_cast<const CColourPicker*>(&widget)) {
        return ColourText(colour->ShownColour());  // its swatch
    }
    if (auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    if (auto* tool = qobject_cast<const QToolButton*>(&widget)) {
        const bool textShown =
            tool->toolButtonStyle() != Qt::ToolButtonIconOnly || tool->icon().isNull();
        return textShown ? tool->text() : QString();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        const QWidget* owner = edit->parentWidget();
        if (qobject_cast<const QComboBox*>(owner) || qobject_cast<const QAbstractSpinBox*>(owner) ||
            edit->echoMode() != QLineEdit::Normal) {
            return QString();
        }
        return edit->text();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        return combo->currentText();
    }
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(&widget)) {
        return spin->text();
    }
    if (auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        return group->title();
    }
    if (auto* bar = qobject_cast<const QStatusBar*>(&widget)) {
        return bar->currentMessage();
    }
    return QString();
}

// Name, value and description of everything the accessible tree reaches from the window.
void Walk(QAccessibleInterface* node, std::map<const QObject*, QString>& heard, int depth = 0) {
    if (node == nullptr || !node->isValid() || depth > 40) {
        return;
    }
    QString& text = heard[node->object()];
    for (QAccessible::Text kind :
         {QAccessible::Name, QAccessible::Value, QAccessible::Description}) {
        text += Spoken(node->text(kind)) + QLatin1Char('\x02');
    }
    for (int i = 0; i < node->childCount(); ++i) {
        Walk(node->child(i), heard, depth + 1);
    }
}

// "QLabel 'Selected: "Room 1"' heard as 'Selection'" for each visible text that no interface
// reached from the window gives.
QStringList UnreadTexts(QWidget& window) {
    std::map<const QObject*, QString> heard;
    Walk(QAccessible::queryAccessibleInterface(&window), heard);
    QStringList unread;
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (const QWidget* widget : widgets) {
        if (!widget->isVisible() || widget->window() != &window) {
            continue;  // hidden, or in a window of its own, checked on its own
        }
        const QString shown = Spoken(ShownText(*widget));
        if (shown.isEmpty()) {
            continue;
        }
        const auto found = heard.find(widget);
        const QString read = found != heard.end() ? found->second : QString();
        if (!read.contains(shown)) {
            unread << QStringLiteral("%1 \"%2\" in %3 is heard as \"%4\"")
                          .arg(QString::fromLatin1(widget->metaObject()->className()), shown,
                               window.windowTitle(), QString(read).replace(QChar(2), u'|'));
        }
    }
    return unread;
}

// Every page of the window's tabs in turn, as a person would leaf through them.
QStringList UnreadTextsOnEveryPage(QWidget& window) {
    QStringList unread = UnreadTexts(window);
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            unread += UnreadTexts(window);
        }
    }
    unread.removeDuplicates();
    return unread;
}

std::string Listed(const QStringList& lines) {
    return lines.join(u'\n').toStdString();
}

using Opener = std::function<std::unique_ptr<QWidget>()>;

// One of the wall and room editing dialogs on its form.
template <typename Dialog, typename Form>
Opener Editing(const CTracepadDoc& doc, Form form, UserPrompts& prompts) {
    return [&doc, form, &prompts] { return std::make_unique<Dialog>(doc, form, prompts, nullptr); };
}

struct NoRecording : RecordingDialogRunner {
    int Run(const AudioRecorder&, const FreeSpaceSource&) override { return kRecordingCancelled; }
};

class AccessibleTextTest : public FrameTest {
protected:
    AccessibleTextTest() {
        frame->NewDocument();
        for (const char* wall : {"4 n", "3 e", "4 s"}) {
            Type(QString::fromLatin1(wall));
        }
        prompts.messages.clear();
    }
    Room& TheRoom() { return *Doc().GetCurrentRoom(); }
};

TEST_F(AccessibleTextTest, EveryShownTextCanBeReadThroughTheAccessibleTree) {
    Doc().SelectRoom(&TheRoom());
    frame->Keypad().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame->Keypad()));
    EXPECT_EQ(Listed(UnreadTexts(*frame)), "");
    EXPECT_EQ(Listed(UnreadTexts(frame->Keypad())), "");

    Doc().SelectWall(&TheRoom(), TheRoom().GetWall(1, true));
    AnnotationList notes;
    Annotation note;
    note.SetName(QStringLiteral("Kitchen"));
    notes.InsertAt(note, -1);
    RecordingPrompts soundPrompts;
    AudioPlayer player{sound, soundPrompts};
    AudioRecorder recorder{sound};
    NoRecording noRecording;
    AudioServices audio{player, recorder, space, soundPrompts, noRecording};
    RoomForm room = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Edit);
    NewMaterialForm newMaterial = NewMaterialForm::FromDocument(Doc(), QStringLiteral("Oak"));
    MaterialForm material = MaterialForm::FromDocument(Doc(), QStringLiteral("Default"));
    PreferencesForm preferences = PreferencesForm::FromDocument(Doc());
    const CTracepadDoc& doc = Doc();
    CornerPicks picks;
    picks.pick = [](PlanPoint) {};
    picks.marked = [](int) { return std::optional<PlanPoint>(); };

    using E = WallForm::Purpose;
    const std::vector<Opener> dialogs = {
        [] { return std::make_unique<CAboutDlg>(); },
        Editing<WallDialog>(doc, WallForm::FromDocument(doc, E::Edit), prompts),
        Editing<ProjectionDialog>(doc, ProjectionForm::FromDocument(doc), prompts),
        Editing<ArcWallDialog>(doc, ArcWallForm::FromDocument(doc), prompts),
        Editing<AngleWallDialog>(doc, AngleWallForm::FromDocument(doc), prompts),
        Editing<MoveWallEndDialog>(doc, MoveWallEndForm::FromDocument(doc), prompts),
        Editing<MoveDialog>(doc, MoveForm::FromDocument(doc, MoveForm::Target::Room), prompts),
        Editing<RotateRoomDialog>(doc, RotateForm::FromDocument(doc), prompts),
        Editing<ReflectRoomDialog>(doc, ReflectForm::FromDocument(doc), prompts),
        [&] {
            return std::make_unique<SelectCornersDialog>(doc, TheRoom(), picks, prompts, nullptr);
        },
        [&] { return std::make_unique<CRoomDlg>(room, doc, QStringList{"Kitchen"}, prompts); },
        [&] { return std::make_unique<CNewMaterialDlg>(newMaterial, doc, prompts); },
        [&] { return std::make_unique<CMaterialDlg>(material, doc, prompts); },
        [&] {
            return std::make_unique<CRoomSummaryDlg>(*doc.GetSite(), doc.Units(),
                                                     RoomSummaryWidths{});
        },
        [&] { return std::make_unique<CPrefsDlg>(preferences, doc, prompts); },
        [&] { return std::make_unique<AnnotationDialog>(notes, audio, [] {}, nullptr); },
        [&] { return std::make_unique<RecordingDialog>(space, [] { return false; }, nullptr); },
        [] { return std::make_unique<RenameAnnotationDialog>(QStringLiteral("Kitchen"), nullptr); },
        [] {
            return std::make_unique<RecoveryDialog>(
                std::vector<RecoveryLine>{{QStringLiteral("/sites/a.tcd"), QDateTime(), 2, true}},
                nullptr);
        },
    };
    for (const auto& open : dialogs) {
        std::unique_ptr<QWidget> dialog = open();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        EXPECT_EQ(Listed(UnreadTextsOnEveryPage(*dialog)), "");
    }
}

}  // namespace
}  // namespace plantrek::test
