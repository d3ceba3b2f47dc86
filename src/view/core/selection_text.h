#pragma once

#include <QString>

// The text the status bar shows for the document's selection; the plan view reports the same
// text to screen readers, so both are made here.
namespace plantrek {

class CTracepadDoc;

// `Selected: 3.81 m @ NE wall in "Kitchen"`, `Selected: "Kitchen"`, `Selected: Room start
// point`, or an empty text when nothing is selected.
QString SelectionText(const CTracepadDoc& doc);

}  // namespace plantrek
