#pragma once

#include <QString>
#include <QStringView>

#include <vector>

#include "audio/annotation.h"

// The recorded notes of a room or of the site, in order, with a current note that the cue, play
// and rename commands act on. A list is copied by value (rooms and sites are deep-copied for undo
// and the clipboard): the copy holds copies of the notes, sharing their audio files, and the
// same current index.
namespace plantrek {

class AnnotationList {
public:
    int Count() const { return static_cast<int>(annotations_.size()); }
    bool IsEmpty() const { return annotations_.empty(); }

    // Null for a position outside the list.
    const Annotation* At(int position) const;
    Annotation* At(int position);

    // 0 in an empty list, otherwise a position inside it.
    int CurrentIndex() const { return current_; }
    // Moves the current index to a position inside the list; false (and no change) otherwise.
    bool SetCurrentIndex(int position);
    // Null when the list is empty.
    const Annotation* Current() const { return At(current_); }

    // Inserts before the entry at position, later entries moving up; -1 and every position
    // outside the list append, so the list never holds a gap. The current index stays as it
    // is. Returns the position the annotation took.
    int InsertAt(const Annotation& annotation, int position = -1);
    // Stops a running playback, then removes the entry and closes the gap; a current index past
    // the end becomes the last position. False (and nothing stopped) for a position outside.
    bool Delete(int position);
    // A position outside the list means the current annotation; empty when the list is.
    QString GetName(int position) const;
    // A position outside the list means the current annotation; false when the list is empty.
    bool Rename(int position, const QString& name);

    // One step forward or back, only inside the list and only while nothing is playing. Both
    // report whether they moved.
    bool CueNext();
    bool CuePrevious();

    // Makes a note with a new temporary file from audio text (see Annotation::SetAudioText),
    // names it when the name is not empty and inserts it at position as InsertAt does. The note
    // is inserted even when its audio cannot be stored; the result tells whether it was.
    bool AddFromText(QStringView audioText, const QString& name, int position);

    // Removes every note; the current index becomes 0.
    void Clear();

    friend bool operator==(const AnnotationList&, const AnnotationList&) = default;

private:
    std::vector<Annotation> annotations_;
    int current_ = 0;
};

}  // namespace plantrek
