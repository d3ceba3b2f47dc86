#pragma once

#include <QString>

// Text typed on the measurement line or on the keypad goes to the active site. With no site open
// nothing takes it; the person is told why and how to start one, and the text is kept.
namespace plantrek {

class CTracepadDoc;

enum class TypedInputOutcome {
    Taken,    // the site took it: the line is cleared
    Refused,  // the site said why: the text stays for correction
    NoSite,   // no site is open: NoSiteMessage says so
};

TypedInputOutcome EnterTypedText(CTracepadDoc* active, const QString& text);

// The status line's note for text that found no site to take it.
QString NoSiteMessage(const QString& text);

}  // namespace plantrek
