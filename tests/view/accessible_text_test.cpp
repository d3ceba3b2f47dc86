// What a screen reader reads: every text the window, the keypad and the dialogs show, found
// through Qt's accessibility interfaces as assistive tools find it.
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>

#include <functional>
#include <map>
#include <memory>

#include "document/forms/colour_palette.h"
#include "model/opening_rules.h"
#include "frame_fixture.h"
#include "view/dialogs/about_dialog.h"
#include "view/dialogs/angle_wall_dialog.h"
#include "view/dialogs/annotation_dialog.h"
#include "view/dialogs/arc_wall_dialog.h"
#include "view/dialogs/check_plan_dialog.h"
#include "view/dialogs/colour_picker.h"
#include "view/dialogs/material_dialog.h"
#include "view/dialogs/move_dialog.h"
#include "view/dialogs/new_material_dialog.h"
#include "view/dialogs/opening_dialog.h"
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

// What the widget shows as text to someone who sees it: its text, current text or title; empty
// for pictures and for the parts that a larger control shows (a combo box's line edit).
QString ShownText(const QWidget& widget) {
    if (auto* colour = qobject_cast<const CColourPicker*>(&widget)) {
        return ColourText(colour->ShownColour());  // its swatch
    }
    if (auto* bar = qobject_cast<const QStatusBar*>(&widget)) {
        return bar->currentMessage();
    }
    const auto* tool = qobject_cast<const QToolButton*>(&widget);
    const auto* edit = qobject_cast<const QLineEdit*>(&widget);
    if ((tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull()) ||
        (edit && (qobject_cast<const QComboBox*>(edit->parentWidget()) ||
                  qobject_cast<const QAbstractSpinBox*>(edit->parentWidget()) ||
                  edit->echoMode() != QLineEdit::Normal))) {
        return QString();
    }
    for (const char* property : {"text", "currentText", "title"}) {
        if (const QVariant value = widget.property(property); value.typeId() == QMetaType::QString) {
            return value.toString();
        }
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

// "QLabel "Selected:"Room1"" in Plantrek is heard as "..."" for each visible text that no
// interface reached from the window gives, on every page of its tabs as a person leafs through.
std::string UnreadTexts(QWidget& window) {
    QStringList unread;
    const auto listen = [&] {
        std::map<const QObject*, QString> heard;
        Walk(QAccessible::queryAccessibleInterface(&window), heard);
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.prepend(&window);
        for (const QWidget* widget : widgets) {
            if (!widget->isVisible() || widget->window() != &window) {
                continue;  // hidden, or in a window of its own, checked on its own
            }
            const QString shown = Spoken(ShownText(*widget));
            const auto found = heard.find(widget);
            const QString read = found != heard.end() ? found->second : QString();
            if (!shown.isEmpty() && !read.contains(shown)) {
                unread << QStringLiteral("%1 \"%2\" in %3 is heard as \"%4\"")
                              .arg(QString::fromLatin1(widget->metaObject()->className()), shown,
                                   window.windowTitle(), QString(read).replace(QChar(2), u'|'));
            }
        }
    };
    listen();
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            listen();
        }
    }
    unread.removeDuplicates();
    return unread.join(u'\n').toStdString();
}

using Opener = std::function<std::unique_ptr<QWidget>()>;

// One of the wall and room editing dialogs on its form.
template <typename Dialog, typename Form>
Opener Editing(const CTracepadDoc& doc, Form form, UserPrompts& prompts) {
    return [&doc, form, &prompts] { return std::make_unique<Dialog>(doc, form, prompts, nullptr); };
}

using AccessibleTextTest = FrameTest;

TEST_F(AccessibleTextTest, EveryShownTextCanBeReadThroughTheAccessibleTree) {
    frame->NewDocument();
    TypeEach({"4 n", "3 e", "4 s"});
    Room& room = *Doc().GetCurrentRoom();
    Doc().SelectRoom(&room);
    frame->Keypad().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame->Keypad()));
    EXPECT_EQ(UnreadTexts(*frame), "");
    EXPECT_EQ(UnreadTexts(frame->Keypad()), "");

    Doc().SelectWall(&room, room.GetWall(1, true));
    const Opening door{OpeningKind::Door, 0.01, 0.05, 2.0};  // the wall is 3 inches
    ASSERT_TRUE(Doc().AddOpeningToCurrentWall(door))
        << CheckOpening(room, 1, door, Doc().Units(), Doc().DefaultHeight())
               .value_or(QString())
               .toStdString();
    AnnotationList notes;
    Annotation note;
    note.SetName(QStringLiteral("Kitchen"));
    notes.InsertAt(note, -1);
    RecordingPrompts soundPrompts;
    AudioPlayer player{sound, soundPrompts};
    AudioRecorder recorder{sound};
    NoRecording noRecording;
    AudioServices audio{player, recorder, space, soundPrompts, noRecording};
    RoomForm roomForm = RoomForm::FromDocument(Doc(), RoomForm::Purpose::Edit);
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
        Editing<OpeningDialog>(doc, OpeningForm::FromDocument(doc, OpeningForm::Purpose::Edit),
                               prompts),
        Editing<OpeningDialog>(
            doc, OpeningForm::FromDocument(doc, OpeningForm::Purpose::Add, OpeningKind::Window),
            prompts),
        Editing<ProjectionDialog>(doc, ProjectionForm::FromDocument(doc), prompts),
        Editing<ArcWallDialog>(doc, ArcWallForm::FromDocument(doc), prompts),
        Editing<AngleWallDialog>(doc, AngleWallForm::FromDocument(doc), prompts),
        Editing<MoveWallEndDialog>(doc, MoveWallEndForm::FromDocument(doc), prompts),
        Editing<MoveDialog>(doc, MoveForm::FromDocument(doc, MoveForm::Target::Room), prompts),
        Editing<RotateRoomDialog>(doc, RotateForm::FromDocument(doc), prompts),
        Editing<ReflectRoomDialog>(doc, ReflectForm::FromDocument(doc), prompts),
        [&] {
            return std::make_unique<SelectCornersDialog>(doc, room, picks, prompts, nullptr);
        },
        [&] { return std::make_unique<CRoomDlg>(roomForm, doc, QStringList{"Kitchen"}, prompts); },
        [&] { return std::make_unique<CNewMaterialDlg>(newMaterial, doc, prompts); },
        [&] { return std::make_unique<CMaterialDlg>(material, doc, prompts); },
        [&] {
            return std::make_unique<CRoomSummaryDlg>(*doc.GetSite(), doc.Units(),
                                                     RoomSummaryWidths{}, doc.DefaultHeight());
        },
        [&] { return std::make_unique<CPrefsDlg>(preferences, doc, prompts); },
        [] {
            return std::make_unique<CCheckPlanDlg>(
                std::vector<PlanFindingLine>{{QStringLiteral("A and B overlap (1.000 sm)"), 1}},
                nullptr);
        },
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
        EXPECT_EQ(UnreadTexts(*dialog), "");
    }
}

}  // namespace
}  // namespace plantrek::test
