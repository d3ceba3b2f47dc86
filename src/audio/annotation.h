#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <memory>

#include "audio/audio_file.h"

// A recorded note: GSM 6.10 audio in a temporary file, and an optional name. This is the stored
// note only; playing and recording are done by separate objects that work on its AudioFile.
namespace plantrek {

// The wave format record of a recording (20 bytes when written out).
struct WaveFormat {
    quint16 formatTag = 0;
    quint16 channels = 0;
    quint32 samplesPerSecond = 0;
    quint32 averageBytesPerSecond = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
    quint16 extraSize = 0;
    quint16 samplesPerBlock = 0;

    // GSM 6.10, mono, 8000 Hz: 65-byte blocks of 320 samples, so 1625 bytes a second.
    static WaveFormat Gsm610();
    // The record as it is laid out in memory on the original platform: little-endian fields in
    // the order above.
    QByteArray ToBytes() const;

    friend bool operator==(const WaveFormat&, const WaveFormat&) = default;
};

inline constexpr qsizetype kWaveFormatSize = 20;

class Annotation {
public:
    // A note with a new temporary file of its own (created when first written to).
    Annotation();
    // Copies share the file. There is no move: an annotation is never left without one.
    Annotation(const Annotation&) = default;
    Annotation& operator=(const Annotation&) = default;
    ~Annotation() = default;

    static const WaveFormat& Format();
    QString GetType() const { return QStringLiteral("GSM"); }

    const QString& Name() const { return name_; }
    void SetName(const QString& name) { name_ = name; }

    // False when the temporary file cannot be created: such a note has no audio.
    bool HasAudioFile() const;
    qint64 AudioSize() const;
    // The file itself, for the player and the recorder. Holding it keeps the file alive.
    const std::shared_ptr<AudioFile>& File() const { return file_; }

    // Hands the audio to sink as Base64 text, one encoded 1200-byte piece at a time (see
    // base64_text.h), reading the file piece by piece. Returns false when the file cannot be
    // read or the sink returns false. A note without audio calls the sink not at all.
    bool ForEachAudioPiece(const std::function<bool(const QString&)>& sink) const;
    // The pieces joined: the whole audio as Base64 text. Empty for a note without audio, and
    // also when the file cannot be read (ok, when given, tells which).
    QString GetAudioText(bool* ok = nullptr) const;
    // Replaces the audio by the bytes decoded from text, skipping every character outside the
    // Base64 alphabet. Returns the audio file's size, or -1 when the audio could not be stored.
    // A file shared with copies is left to them: this note gets a new file first.
    qint64 SetAudioText(QStringView text);

    // The same recording (not merely equal sound) under the same name.
    friend bool operator==(const Annotation&, const Annotation&) = default;

private:
    std::shared_ptr<AudioFile> file_;
    QString name_;
};

}  // namespace plantrek
