#include "document/typed_input.h"

#include "document/tracepad_doc.h"

namespace plantrek {

TypedInputOutcome EnterTypedText(CTracepadDoc* active, const QString& text) {
    if (active == nullptr) {
        return TypedInputOutcome::NoSite;
    }
    return active->EnterInputText(text) ? TypedInputOutcome::Taken : TypedInputOutcome::Refused;
}

QString NoSiteMessage(const QString& text) {
    const QString open = QStringLiteral("Start one with File > New or open one with File > Open.");
    const QString entry = text.trimmed();
    return entry.isEmpty() ? QStringLiteral("No site is open. ") + open
                           : QStringLiteral("No site is open to take \"%1\". ").arg(entry) + open;
}

}  // namespace plantrek
