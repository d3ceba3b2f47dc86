#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "audio/io/annotation_session.h"
#include "audio/io/audio_io_support.h"
#include "audio/io/recording_time.h"
#include "document/tracepad_doc.h"
#include "view/child_frame.h"
#include "view/input_line.h"
#include "view/main_frame.h"
#include "view/window_prompts.h"

namespace plantrek::test {

struct ShownMessage {
    QString caption;  // empty for the document's own boxes
    QString text;
    MessageIcon icon;
};

// Records every box and answers questions from their queues (Yes when one runs dry).
class RecordingWindowPrompts : public WindowPrompts {
public:
    void ShowMessage(const QString& text, MessageIcon icon) override {
        messages.push_back({QString(), text, icon});
    }
    bool AskYesNo(const QString& text) override {
        questions.push_back(text);
        if (yesNo.empty()) {
            return true;
        }
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    void ShowCaptioned(const QString& caption, const QString& text, MessageIcon icon) override {
        messages.push_back({caption, text, icon});
    }
    SaveAnswer AskYesNoCancel(const QString& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            return SaveAnswer::Yes;
        }
        const SaveAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<ShownMessage> messages;
    QStringList questions;
    std::deque<SaveAnswer> answers;
    std::deque<bool> yesNo;
};

// Hands out the files a test queued; records what the dialogs offered.
class RecordingChooser : public FileChooser {
public:
    QString ChooseOpenFile(const QString& filter, const QString& folder) override {
        lastFilters = {filter};
        lastFolder = folder;
        return Next().path;
    }
    ChosenFile ChooseSaveFile(const QString&, const QString&,
                              const QStringList& filters, int filterIndex,
                              const QString&) override {
        lastFilters = filters;
        lastFilterIndex = filterIndex;
        return Next();
    }

    std::deque<ChosenFile> files;
    QString lastFolder;
    QStringList lastFilters;
    int lastFilterIndex = 0;

private:
    ChosenFile Next() {
        if (files.empty()) {
            return {};
        }
        ChosenFile file = files.front();
        files.pop_front();
        return file;
    }
};

// Free space for recordings as the test sets it, in minutes.
struct FixedFreeSpace : FreeSpaceSource {
    qint64 BytesAvailable() const override { return static_cast<qint64>(minutes * 60 * 1625); }
    double minutes = 500;
};

// A recording dialog the user always cancels.
struct NoRecording : RecordingDialogRunner {
    int Run(const AudioRecorder&, const FreeSpaceSource&) override { return kRecordingCancelled; }
};

// A main frame on private settings and template folders, without a meter search, with a
// scripted sound device (no test touches the machine's sound).
class FrameTest : public ::testing::Test {
protected:
    FrameTest() { MakeFrame(); }
    ~FrameTest() override { DropFrame(); }

    FrameServices Services() {
        FrameServices services;
        services.prompts = &prompts;
        services.files = &chooser;
        services.store = SettingsStore::AtFile(folder.filePath(QStringLiteral("settings.ini")));
        services.templates = TemplateLocation{folder.path(), folder.path()};
        services.searchMeter = false;
        services.sound = &sound;
        services.freeSpace = &space;
        return services;
    }
    void MakeFrame() {
        frame = std::make_unique<CTracepadMainFrame>(Services());
        frame->show();
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    }
    // Closes the frame as the user would, with every document unmodified first.
    void DropFrame() {
        if (!frame) {
            return;
        }
        for (CTracepadChildFrame* child : frame->Children()) {
            child->Document().SetModifiedFlag(false);
        }
        frame->close();
        frame.reset();
    }
    CTracepadDoc& Doc() { return *frame->ActiveDocument(); }
    void Type(const QString& text) {
        QTest::keyClicks(&frame->Input(), text);
        QTest::keyClick(&frame->Input(), Qt::Key_Return);
    }
    void TypeEach(std::initializer_list<const char*> entries) {
        for (const char* entry : entries) {
            Type(QString::fromLatin1(entry));
        }
    }
    int WallCount() { return Doc().GetCurrentRoom() ? Doc().GetCurrentRoom()->WallCount(true) : -1; }
    QString Path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    RecordingWindowPrompts prompts;
    RecordingChooser chooser;
    ScriptedDevice sound;
    FixedFreeSpace space;
    std::unique_ptr<CTracepadMainFrame> frame;
};

}  // namespace plantrek::test
