#pragma once

#include <QList>
#include <QObject>

#include <memory>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The site windows in the frame's area: each new one wired to the command router, the keypad,
// the frame's sound and the document list, and placed (maximised while the active one is).
// When one activates, the keypad takes its site's units and the input line the focus.
namespace plantrek {

class CKeypadDlg;
class CommandRouter;
class CTracepadChildFrame;
class CTracepadDoc;
class DocumentManager;
class FrameAudio;

class ChildWindows : public QObject {
    Q_OBJECT
public:
    ChildWindows(QMdiArea& area, DocumentManager& documents, CommandRouter& router,
                 CKeypadDlg& keypad, FrameAudio& audio, QWidget& input, QObject* parent);

    // A new window on the document, made the active one.
    CTracepadChildFrame* Add(std::shared_ptr<CTracepadDoc> doc);
    CTracepadChildFrame* Active() const;
    QList<CTracepadChildFrame*> All() const;

signals:
    // A site, its window or the active window changed: the frame's title and panes follow.
    void changed();

private:
    void Activated(QMdiSubWindow* window);

    QMdiArea& area_;
    DocumentManager& documents_;
    CommandRouter& router_;
    CKeypadDlg& keypad_;
    FrameAudio& audio_;
    QWidget& input_;
};

}  // namespace plantrek
