#include "view/core/selection_text.h"

#include <initializer_list>

#include "document/tracepad_doc.h"
#include "model/wall.h"
#include "resources/string_table.h"

namespace plantrek {

namespace {

// Fills the "%s" of a table string in order. Done in one pass so that a room name that itself
// holds "%s" is shown as it stands.
QString FillIn(const QString& format, std::initializer_list<QString> values) {
    QString text;
    auto value = values.begin();
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u's' &&
            value != values.end()) {
            text += *value++;
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

}  // namespace

QString SelectionText(const CTracepadDoc& doc) {
    switch (doc.GetSelectionLevel()) {
    case kLevelWall: {
        const Wall* wall = doc.GetCurrentWall();
        const QString wallText = FormatLengthAndDirection(&doc.Units(), &doc.Style(),
                                                          wall->GetLength(), wall->GetDirection());
        return FillIn(LoadString(string_id::kSelectedWall),
                      {wallText, doc.GetCurrentRoom()->GetName()});
    }
    case kLevelRoom:
        return FillIn(LoadString(string_id::kSelectedRoom), {doc.GetCurrentRoom()->GetName()});
    case kLevelStartPoint:
        return LoadString(string_id::kSelectedStartPoint);
    case kLevelNone:
        break;
    }
    return {};
}

}  // namespace plantrek
