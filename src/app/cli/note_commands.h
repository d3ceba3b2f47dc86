#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The script commands that attach a WAV file as a spoken note: ":note-site FILE.wav [NAME]" and
// ":note-room ROOM FILE.wav [NAME]".
namespace plantrek {
class AnnotationList;
class CTracepadDoc;
class UserPrompts;
}  // namespace plantrek

namespace plantrek::cli {

// Nothing when the line ran, otherwise why the line is no valid command. A refused WAV file
// has been reported through prompts, changed nothing and sets `refused`, which ends the run
// as a file that does not open does.
std::optional<QString> NoteSite(CTracepadDoc& doc, UserPrompts& prompts, const QStringList& args,
                                bool* refused);
std::optional<QString> NoteRoom(CTracepadDoc& doc, UserPrompts& prompts, const QStringList& args,
                                bool* refused);

// Converts the WAV file into a new note at the end of list. False, after the reason was shown,
// when the file is refused; the list is then as it was.
bool AddNoteFromWav(CTracepadDoc& doc, AnnotationList& list, const QString& wavPath,
                    const QString& name, UserPrompts& prompts);

}  // namespace plantrek::cli
