#pragma once

#include <QStringList>

#include <memory>
#include <optional>

// The desktop program: settings location, the main frame, the command line.
namespace plantrek {

class CTracepadMainFrame;
class QtFileChooser;
class QtRecoveryPrompt;
class RecoveryStore;
class QtWindowPrompts;
class SingleInstance;

class CTracepadApp {
public:
    static constexpr int kExitOk = 0;
    static constexpr int kExitOpenFailed = 1;
    static constexpr int kExitUsage = 2;

    CTracepadApp();
    ~CTracepadApp();

    // Creates and shows the main window with a new document or the files named by the
    // arguments (the program's own, without its name); when the program is running already,
    // hands the files to it instead. Returns the exit status when this start ends here,
    // nothing when the program should run.
    std::optional<int> InitInstance(const QStringList& arguments);
    CTracepadMainFrame* Frame() const { return frame_.get(); }

private:
    // Files handed over by a later start: opened, or a new document when there are none.
    void OpenHandedOver(const QStringList& files);
    void OpenPending();

    std::unique_ptr<QtWindowPrompts> prompts_;
    std::unique_ptr<QtFileChooser> files_;
    // Outlives the frame, whose documents hand it their states until they close.
    std::unique_ptr<RecoveryStore> recovery_;
    std::unique_ptr<QtRecoveryPrompt> recoveryPrompt_;
    std::unique_ptr<CTracepadMainFrame> frame_;
    std::unique_ptr<SingleInstance> instance_;
    QStringList pending_;
};

// Sets the names every setting is stored under.
void SetApplicationNames();

}  // namespace plantrek
