#include "export/export_form.h"

#include <algorithm>
#include <array>

#include "document/tracepad_doc.h"

namespace plantrek {

namespace {

struct ExportRow {
    const char16_t* extension;
    ExportKind kind;
    bool schedule;
};

// In filter order: row i is filter i + 1, with "All Files" (filter 8) as an empty row.
constexpr std::array<ExportRow, 14> kRows = {{
    {u"dxf", ExportKind::Dxf, false},
    {u"bmp", ExportKind::Bmp, false},
    {u"gif", ExportKind::Gif, false},
    {u"jpg", ExportKind::Jpeg, false},
    {u"xls", ExportKind::Xls, false},
    {u"csv", ExportKind::Csv, false},
    {u"txt", ExportKind::Txt, false},
    {u"", ExportKind::Dxf, false},
    {u"png", ExportKind::Png, false},
    {u"svg", ExportKind::Svg, false},
    {u"pdf", ExportKind::Pdf, false},
    {u"xls", ExportKind::Schedule, true},
    {u"csv", ExportKind::Schedule, true},
    {u"txt", ExportKind::Schedule, true},
}};

const QString kSchedulePrefix = QStringLiteral("schedule-");

// Where the file name starts: after the last folder separator.
qsizetype FileNameStart(const QString& path) {
    qsizetype slash = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(u'\\'));
#endif
    return slash + 1;
}

}  // namespace

QList<ExportFilterEntry> ExportFilterEntries() {
    QList<ExportFilterEntry> entries;
    const QStringList parts = kExportFilter.split(u'|');
    // The filter ends with "||": the last two parts are empty.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        entries.append({parts[i], parts[i + 1]});
    }
    return entries;
}

QString ExportFilterExtension(int filterIndex) {
    if (filterIndex < 1 || filterIndex > static_cast<int>(kRows.size())) {
        return QString();
    }
    return QString::fromUtf16(kRows[static_cast<std::size_t>(filterIndex - 1)].extension);
}

bool IsScheduleFilter(int filterIndex) {
    return filterIndex >= 1 && filterIndex <= static_cast<int>(kRows.size()) &&
           kRows[static_cast<std::size_t>(filterIndex - 1)].schedule;
}

int ExportFilterIndexFor(const QString& exportType) {
    // DXF is the first filter and so the one the dialog opens on anyway.
    for (int index = 2; index <= static_cast<int>(kRows.size()); ++index) {
        const QString extension = ExportFilterExtension(index);
        const QString type = IsScheduleFilter(index) ? kSchedulePrefix + extension : extension;
        if (!extension.isEmpty() && exportType == type) {
            return index;
        }
    }
    return kDxfFilter;
}

ExportTarget ResolveExportTarget(const QString& chosenPath, int filterIndex) {
    ExportTarget target{chosenPath, QString()};
    const qsizetype nameStart = FileNameStart(chosenPath);
    const qsizetype dot = chosenPath.lastIndexOf(u'.');
    const bool dotInName = dot >= nameStart;
    if (dotInName) {
        target.extension = chosenPath.mid(dot + 1);
    }
    const QString filterExtension = ExportFilterExtension(filterIndex);
    if (target.extension.isEmpty() && !filterExtension.isEmpty()) {
        target.extension = filterExtension;
        // A name that ends in "." loses that dot; a name that is only a dot keeps it.
        const QString stem = dotInName && dot > nameStart ? chosenPath.left(dot) : chosenPath;
        target.path = stem + u'.' + filterExtension;
    }
    return target;
}

std::optional<ExportKind> ExportKindOf(const QString& extension) {
    if (extension.isEmpty()) {
        return std::nullopt;
    }
    for (const ExportRow& row : kRows) {
        if (extension.compare(QString::fromUtf16(row.extension), Qt::CaseInsensitive) == 0) {
            return row.kind;
        }
    }
    return std::nullopt;
}

std::optional<ExportKind> ExportKindOf(const ExportTarget& target, int filterIndex) {
    const std::optional<ExportKind> kind = ExportKindOf(target.extension);
    const bool spreadsheet =
        kind == ExportKind::Xls || kind == ExportKind::Csv || kind == ExportKind::Txt;
    return spreadsheet && IsScheduleFilter(filterIndex) ? ExportKind::Schedule : kind;
}

ExportForm ExportForm::FromDocument(const CTracepadDoc& doc) {
    ExportForm form;
    form.filterIndex = ExportFilterIndexFor(doc.Prefs().GetExportType());
    return form;
}

FormCheck<ExportForm::Field> ExportForm::Check(const CTracepadDoc&) const {
    if (!ExportKindOf(Target(), filterIndex)) {
        return FormRefusal<Field>{kErrorUnknownFileType, Field::FileName};
    }
    return std::nullopt;
}

std::optional<QString> ExportForm::Apply(CTracepadDoc& doc, const Exporter& exporter) const {
    const ExportTarget target = Target();
    const std::optional<ExportKind> kind = ExportKindOf(target, filterIndex);
    if (!kind) {
        return kErrorUnknownFileType;
    }
    std::optional<QString> failure = exporter(doc, *kind, target.path);
    if (!failure) {
        doc.Prefs().SetExportType(kind == ExportKind::Schedule ? kSchedulePrefix + target.extension
                                                               : target.extension);
    }
    return failure;
}

}  // namespace plantrek
