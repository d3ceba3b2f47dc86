#pragma once

#include <gtest/gtest.h>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "document/files/qstring_printer.h"
#include "document/files/site_template.h"
#include "document/settings_store.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"

namespace plantrek::test {

// Remembers everything the document said and answers its questions from a queue (Yes when the
// queue is empty).
class RecordingPrompts : public UserPrompts {
public:
    struct Message {
        QString text;
        MessageIcon icon;
    };

    void ShowMessage(const QString& text, MessageIcon icon) override {
        messages.push_back({text, icon});
    }
    bool AskYesNo(const QString& text) override {
        questions.append(text);
        return answers.isEmpty() || answers.takeFirst();
    }

    QStringList Texts() const {
        QStringList texts;
        for (const auto& message : messages) {
            texts.append(message.text);
        }
        return texts;
    }
    // Every message shown, each as its icon and text ("warning: ..."), one per line.
    QString Said() const {
        QStringList said;
        for (const auto& m : messages) {
            const char* icon = m.icon == MessageIcon::Error     ? "error: "
                               : m.icon == MessageIcon::Warning ? "warning: "
                                                                : "info: ";
            said.append(QLatin1String(icon) + m.text);
        }
        return said.join(u'\n');
    }
    void Clear() {
        messages.clear();
        questions.clear();
    }

    std::vector<Message> messages;
    QStringList questions;
    QList<bool> answers;
};

// A room's user walls as "length@bearing", with "~height" for an arc, then its start point, to
// compare in one go: "3@0 4@90~0.5 from 5,5".
inline QString WallsText(const Room& room) {
    const auto n = [](double v) { return QString::number(v, 'g', 9); };
    QString text;
    for (const auto& wall : room.UserWalls()) {
        text += n(wall->GetLength()) + u'@' + n(wall->GetDirection());
        text += (wall->GetArcHeight() != 0.0 ? u'~' + n(wall->GetArcHeight()) : QString()) + u' ';
    }
    return text + QStringLiteral("from ") + n(room.GetStartPoint().x) + u',' +
           n(room.GetStartPoint().y);
}

// A document whose settings and template file live in a folder of its own.
class DocTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString SettingsPath() const { return dir_.filePath(QStringLiteral("settings.ini")); }
    QString TemplatePath() const {
        return dir_.filePath(QStringLiteral("user/") + QLatin1String(CSiteTemplate::kFileName));
    }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }
    TemplateLocation Location() const {
        return TemplateLocation{dir_.filePath(QStringLiteral("user")),
                                dir_.filePath(QStringLiteral("program"))};
    }
    void WriteTemplate(const QStringList& rooms, const QList<TemplateMaterial>& materials) {
        CSiteTemplate lists;
        lists.roomNames = rooms;
        lists.materials = materials;
        ASSERT_TRUE(CSiteTemplate::Write(TemplatePath(), lists));
    }
    CSiteTemplate ReadTemplate() const {
        CSiteTemplate lists;
        CSiteTemplate::Read(TemplatePath(), lists);
        return lists;
    }
    void PutSetting(const QString& name, const QVariant& value) {
        QSettings settings(SettingsPath(), QSettings::IniFormat);
        settings.setValue(name, value);
    }
    QVariant StoredSetting(const QString& name) const {
        QSettings settings(SettingsPath(), QSettings::IniFormat);
        return settings.value(name);
    }

    // A document made after the settings and template the test prepared.
    CTracepadDoc& Doc() {
        if (!doc_) {
            doc_ = std::make_unique<CTracepadDoc>(prompts_, store_, Location());
        }
        return *doc_;
    }
    CTracepadDoc& NewDoc() {
        Doc().OnNewDocument();
        return *doc_;
    }
    void UseMeters() { PutSetting(QStringLiteral("Input"), 1); }
    CTracepadDoc& NewDocInMeters() {
        UseMeters();
        return NewDoc();
    }

    // Types each entry on the input line.
    void Type(std::initializer_list<const char*> entries) {
        for (const char* entry : entries) {
            Doc().EnterInputText(QString::fromUtf8(entry));
        }
    }

    QTemporaryDir dir_;
    SettingsStore store_ = SettingsStore::AtFile(dir_.filePath(QStringLiteral("settings.ini")));
    RecordingPrompts prompts_;
    std::unique_ptr<CTracepadDoc> doc_;
};

}  // namespace plantrek::test
