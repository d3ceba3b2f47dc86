#include "audio/annotation.h"

#include <QtEndian>

#include "audio/base64_text.h"

namespace plantrek {

WaveFormat WaveFormat::Gsm610() {
    WaveFormat format;
    format.formatTag = 49;
    format.channels = 1;
    format.samplesPerSecond = 8000;
    format.averageBytesPerSecond = 1625;
    format.blockAlign = 65;
    format.bitsPerSample = 0;
    format.extraSize = 2;
    format.samplesPerBlock = 320;
    return format;
}

QByteArray WaveFormat::ToBytes() const {
    QByteArray bytes(kWaveFormatSize, '\0');
    uchar* at = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<quint16>(formatTag, at);
    qToLittleEndian<quint16>(channels, at + 2);
    qToLittleEndian<quint32>(samplesPerSecond, at + 4);
    qToLittleEndian<quint32>(averageBytesPerSecond, at + 8);
    qToLittleEndian<quint16>(blockAlign, at + 12);
    qToLittleEndian<quint16>(bitsPerSample, at + 14);
    qToLittleEndian<quint16>(extraSize, at + 16);
    qToLittleEndian<quint16>(samplesPerBlock, at + 18);
    return bytes;
}

Annotation::Annotation() : file_(AudioFile::Create()) {}

const WaveFormat& Annotation::Format() {
    static const WaveFormat format = WaveFormat::Gsm610();
    return format;
}

bool Annotation::HasAudioFile() const {
    return file_->Open();
}

qint64 Annotation::AudioSize() const {
    return file_->Size();
}

bool Annotation::ForEachAudioPiece(const std::function<bool(const QString&)>& sink) const {
    // The size is taken once: audio appended meanwhile belongs to a later text.
    const qint64 size = file_->Size();
    QByteArray piece(kAudioPieceBytes, Qt::Uninitialized);
    for (qint64 offset = 0; offset < size;) {
        const qint64 wanted = qMin<qint64>(kAudioPieceBytes, size - offset);
        const qint64 got = file_->ReadAt(offset, piece.data(), wanted);
        if (got != wanted) {
            return false;
        }
        if (!sink(EncodeBase64Piece(QByteArrayView(piece.constData(), got)))) {
            return false;
        }
        offset += got;
    }
    return true;
}

QString Annotation::GetAudioText(bool* ok) const {
    QString text;
    const qint64 size = AudioSize();
    text.reserve((size + 2) / 3 * 4 + size / 57 * 2);
    const bool read = ForEachAudioPiece([&text](const QString& piece) {
        text += piece;
        return true;
    });
    if (ok != nullptr) {
        *ok = read;
    }
    return read ? text : QString();
}

qint64 Annotation::SetAudioText(QStringView text) {
    // Copies of this note (an undo snapshot, a playback in progress) keep the audio they had.
    if (file_.use_count() > 1) {
        file_ = AudioFile::Create();
    }
    if (!file_->Truncate()) {
        return -1;
    }
    AudioFile& file = *file_;
    const bool stored =
        DecodeBase64(text, [&file](QByteArrayView bytes) { return file.Append(bytes); });
    return stored ? file_->Size() : -1;
}

}  // namespace plantrek
