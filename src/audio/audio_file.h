#pragma once

#include <QByteArrayView>
#include <QMutex>
#include <QString>
#include <QTemporaryFile>

#include <memory>

// The raw GSM data of one recording, kept in a temporary file of its own so that audio never
// has to sit in memory whole. Annotations copied from one another hold the same AudioFile
// through a shared pointer; the last holder to go away closes and deletes the file.
//
// Reads name their offset instead of moving a shared position, so the holders of one file and a
// playback worker never disturb one another; every access is serialised by the file's lock.
namespace plantrek {

class AudioFile {
public:
    // A holder of a new file in the temporary folder, named with the "qz" prefix. The file itself
    // is created when it is first written to (or when Open is called). Without a usable
    // temporary folder no file is made at all, rather than one in some other place.
    static std::shared_ptr<AudioFile> Create();

    AudioFile();
    // A file in the given folder; an empty folder name means no file can be made.
    explicit AudioFile(const QString& folder);
    AudioFile(const AudioFile&) = delete;
    AudioFile& operator=(const AudioFile&) = delete;

    // Creates and opens the file for reading and writing unless that was tried before. False
    // when the file cannot be made: such a file stays without audio for good.
    bool Open();
    // The file's path; empty until it has been created.
    QString Path() const;
    qint64 Size() const;
    // Reads up to maxSize bytes from offset; 0 at or past the end, -1 on a read error.
    qint64 ReadAt(qint64 offset, char* data, qint64 maxSize) const;
    // Writes at the end of the file and flushes; false when not everything reached the file.
    bool Append(QByteArrayView data);
    // Empties the file.
    bool Truncate();

private:
    enum class State { NotTried, Open, Failed };

    bool OpenLocked();

    mutable QMutex mutex_;
    mutable QTemporaryFile file_;
    State state_;
};

}  // namespace plantrek
