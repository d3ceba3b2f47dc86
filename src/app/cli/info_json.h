#pragma once

#include <QString>

// What ":info" prints: the document's state as one JSON object.
namespace plantrek {
class CTracepadDoc;
}

namespace plantrek::cli {

QString DocumentInfoJson(const CTracepadDoc& doc);

// "#rrggbb" for a colour 0x00BBGGRR.
QString ColourText(unsigned colour);

}  // namespace plantrek::cli
