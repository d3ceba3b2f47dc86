#pragma once

#include <QString>

namespace plantrek {

class CTracepadDoc;

// The status bar's selection pane: what the document has selected, or nothing.
QString SelectionPaneText(const CTracepadDoc* doc);

}  // namespace plantrek
