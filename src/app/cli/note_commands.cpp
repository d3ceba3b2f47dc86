#include "app/cli/note_commands.h"

#include "audio/annotation_list.h"
#include "audio/io/wav_file.h"
#include "document/tracepad_doc.h"
#include "document/user_prompts.h"
#include "model/room.h"
#include "model/site.h"

namespace plantrek::cli {

bool AddNoteFromWav(CTracepadDoc& doc, AnnotationList& list, const QString& wavPath,
                    const QString& name, UserPrompts& prompts) {
    // The note is built aside and joins the list only when the whole file went in.
    Annotation note;
    if (!note.HasAudioFile()) {
        prompts.ShowMessage(QStringLiteral("No temporary file could be made for the note."),
                            MessageIcon::Error);
        return false;
    }
    if (const auto refused = ImportWav(wavPath, *note.File())) {
        prompts.ShowMessage(*refused, MessageIcon::Error);
        return false;
    }
    note.SetName(name);
    list.InsertAt(note, -1);
    // Part of the undo history like any other change, so that an undo never drops a note that
    // was added after the step it takes back.
    doc.Commit(true);
    return true;
}

std::optional<QString> NoteSite(CTracepadDoc& doc, UserPrompts& prompts, const QStringList& args,
                                bool* refused) {
    *refused =
        !AddNoteFromWav(doc, doc.GetSite()->Annotations(), args.value(0), args.value(1), prompts);
    return std::nullopt;
}

std::optional<QString> NoteRoom(CTracepadDoc& doc, UserPrompts& prompts, const QStringList& args,
                                bool* refused) {
    *refused = false;
    Room* room = doc.GetSite()->FindRoomByName(args.value(0));
    if (room == nullptr) {
        return QStringLiteral("there is no room named \"%1\"").arg(args.value(0));
    }
    *refused = !AddNoteFromWav(doc, room->Annotations(), args.value(1), args.value(2), prompts);
    return std::nullopt;
}

}  // namespace plantrek::cli
