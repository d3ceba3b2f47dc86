#include "view/selection_text.h"

#include "document/tracepad_doc.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

// The strings hold printf conversions; names are put in as they are, never read as formats.
QString FillPlaceholders(QString format, const QStringList& values) {
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = format.indexOf(QLatin1String("%s"), from);
        if (at < 0) {
            break;
        }
        format.replace(at, 2, value);
        from = at + value.size();
    }
    return format;
}

}  // namespace

QString SelectionPaneText(const CTracepadDoc* doc) {
    if (doc == nullptr) {
        return QString();
    }
    switch (doc->GetSelectionLevel()) {
        case kLevelWall: {
            const Wall& wall = *doc->GetCurrentWall();
            const QString measure = FormatLengthAndDirection(
                &doc->Units(), &doc->Style(), wall.GetLength(), wall.GetDirection());
            return FillPlaceholders(LoadString(string_id::kSelectedWall),
                                    {measure, doc->GetCurrentRoom()->GetName()});
        }
        case kLevelRoom:
            return FillPlaceholders(LoadString(string_id::kSelectedRoom),
                                    {doc->GetCurrentRoom()->GetName()});
        case kLevelStartPoint:
            return LoadString(string_id::kSelectedStartPoint);
        default:
            return QString();
    }
}

}  // namespace plantrek
