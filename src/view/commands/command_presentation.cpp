#include "view/commands/command_presentation.h"

#include "document/tracepad_doc.h"
#include "resources/command_texts.h"
#include "view/commands/frame_commands.h"

namespace plantrek {

namespace {

// Standard commands the texts table knows by menu only get the prompts users know from every
// desktop program.
QString FallbackStatus(int id) {
    switch (id) {
        case 57600: return QStringLiteral("Create a new document\nNew");
        case 57601: return QStringLiteral("Open an existing document\nOpen");
        case 57664: return QStringLiteral("Display program information\nAbout");
        case 57667: return QStringLiteral("List Help topics\nHelp Topics");
        case 57635: return QStringLiteral("Cut the selection\nCut");
        case 57634: return QStringLiteral("Copy the selection\nCopy");
        case 57637: return QStringLiteral("Insert the copied wall or room\nPaste");
        case 57632: return QStringLiteral("Erase the selection\nDelete");
        default: return QString();
    }
}

}  // namespace

CommandPresentation PresentationOf(int id) {
    QString menu;
    QString status;
    if (const auto text = CommandTextFor(id)) {
        menu = text->menu;
        status = text->status;
    } else if (const auto frameText = frame_command::FrameCommandTextFor(id)) {
        menu = frameText->menu;
        status = frameText->status;
    }
    if (status.isEmpty()) {
        status = FallbackStatus(id);
    }

    CommandPresentation result;
    const qsizetype tab = menu.indexOf(QLatin1Char('\t'));
    result.menuText = tab < 0 ? menu : menu.left(tab);
    if (tab >= 0) {
        result.shortcut = QKeySequence(menu.mid(tab + 1), QKeySequence::PortableText);
    }
    const qsizetype lineEnd = status.indexOf(QLatin1Char('\n'));
    result.prompt = lineEnd < 0 ? status : status.left(lineEnd);
    result.toolTip = lineEnd < 0 ? QString() : status.mid(lineEnd + 1);
    if (result.toolTip.isEmpty()) {
        QString plain = result.menuText;
        plain.remove(QLatin1Char('&'));
        while (plain.endsWith(QLatin1Char('.'))) {
            plain.chop(1);
        }
        result.toolTip = plain;
    }
    return result;
}

CommandState DocumentCommandState(const CTracepadDoc* doc, int id, const CClipItem* keptItem) {
    if (doc == nullptr) {
        return {};
    }
    return doc->GetCommandState(id, keptItem);
}

}  // namespace plantrek
