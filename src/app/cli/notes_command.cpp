#include "app/cli/notes_command.h"

#include <QDir>
#include <QSet>

#include "app/cli/document_session.h"
#include "app/cli/run_command.h"
#include "audio/annotation_list.h"
#include "audio/io/annotation_session.h"
#include "audio/io/wav_file.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek::cli {

namespace {

// A file name from a room's or a note's name: no folder separators and nothing a common file
// system refuses.
QString SafeFileName(const QString& text) {
    QString name;
    for (const QChar c : text) {
        const bool bad = c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c);
        name += bad ? QLatin1Char('_') : c;
    }
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) {
        name.prepend(QLatin1Char('_'));
    }
    return name;
}

class NoteWriter {
public:
    NoteWriter(QTextStream& out, QTextStream& err, const QString& folder)
        : out_(out), err_(err), folder_(folder) {}

    void List(const QString& owner, const QString& fileOwner, const AnnotationList& list) {
        for (int i = 0; i < list.Count(); ++i) {
            const Annotation& note = *list.At(i);
            const QString label = AnnotationDisplayName(list, i);
            out_ << owner << '\t' << i + 1 << '\t' << label << '\t'
                 << QString::asprintf("%.2f", static_cast<double>(note.AudioSize()) / 1625.0);
            if (!folder_.isEmpty()) {
                const QString path = UniquePath(SafeFileName(fileOwner) + QStringLiteral(" - ") +
                                                SafeFileName(label));
                if (const auto error = ExportWav(*note.File(), path)) {
                    err_ << "error: " << *error << '\n';
                    failed_ = true;
                } else {
                    out_ << '\t' << QDir::toNativeSeparators(path);
                }
            }
            out_ << '\n';
        }
    }

    bool Failed() const { return failed_; }

private:
    // Two notes of one name (rooms may share a name too) get a number, not one file.
    QString UniquePath(const QString& stem) {
        QString candidate = stem;
        for (int n = 2; used_.contains(candidate.toLower()); ++n) {
            candidate = QStringLiteral("%1 (%2)").arg(stem).arg(n);
        }
        used_.insert(candidate.toLower());
        return QDir(folder_).filePath(candidate + QStringLiteral(".wav"));
    }

    QTextStream& out_;
    QTextStream& err_;
    QString folder_;
    QSet<QString> used_;
    bool failed_ = false;
};

}  // namespace

int NotesCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty() || arguments.size() > 2 || arguments[0].isEmpty()) {
        err << "plantrek-cli: notes takes a site file and, optionally, an output folder\n";
        return kExitUsage;
    }
    const QString folder = arguments.value(1);
    if (!folder.isEmpty() && !QDir().mkpath(folder)) {
        err << "plantrek-cli: the folder \"" << folder << "\" cannot be made\n";
        return kExitFileFailed;
    }
    DocumentSession session(err, true);
    if (!session.Start(arguments[0])) {
        return kExitFileFailed;
    }
    const Site& site = *session.Doc().GetSite();
    NoteWriter writer(out, err, folder);
    writer.List(QStringLiteral("site"), QStringLiteral("site"), site.Annotations());
    for (const auto& room : site.Rooms()) {
        writer.List(QStringLiteral("room ") + room->GetName(), room->GetName(),
                    room->Annotations());
    }
    out.flush();
    return writer.Failed() ? kExitFileFailed : kExitOk;
}

}  // namespace plantrek::cli
