#pragma once

#include <QString>
#include <QTextStream>

// What ":info" prints: the document's state as one JSON object.
namespace plantrek {
class CTracepadDoc;
}

namespace plantrek::cli {

QString DocumentInfoJson(const CTracepadDoc& doc);
// The same, written to out as it is produced.
void WriteDocumentInfoJson(const CTracepadDoc& doc, QTextStream& out);

// "#rrggbb" for a colour 0x00BBGGRR.
QString ColourText(unsigned colour);

}  // namespace plantrek::cli
