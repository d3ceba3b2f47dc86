#include "audio/io/wav_file.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <vector>

#include "audio/io/gsm_codec.h"
#include "audio/io/sound_device.h"

namespace plantrek {

namespace {

constexpr double kPi = 3.14159265358979323846;

quint16 U16(const char* at) {
    return qFromLittleEndian<quint16>(at);
}

quint32 U32(const char* at) {
    return qFromLittleEndian<quint32>(at);
}

// Band-limited conversion to 8000 Hz: every output sample is a windowed-sinc sum of the input
// around its time, cut off below 4000 Hz so that higher sound does not fold back as noise. The
// input is kept only as far back as the filter reaches.
class Resampler {
public:
    explicit Resampler(int rate)
        : ratio_(static_cast<double>(rate) / kGsmSampleRate),
          cutoff_(0.45 * kGsmSampleRate / rate),
          half_(8.0 / (2.0 * cutoff_)) {}

    void Push(const std::vector<float>& in, std::vector<int16_t>& out) {
        buffer_.insert(buffer_.end(), in.begin(), in.end());
        total_ += static_cast<qint64>(in.size());
        Produce(false, out);
    }

    void Finish(std::vector<int16_t>& out) { Produce(true, out); }

private:
    double Kernel(double x) const {
        if (std::abs(x) >= half_) {
            return 0.0;
        }
        const double window = 0.5 + 0.5 * std::cos(kPi * x / half_);
        const double arg = 2.0 * cutoff_ * x;
        const double sinc = arg == 0.0 ? 1.0 : std::sin(kPi * arg) / (kPi * arg);
        return 2.0 * cutoff_ * sinc * window;
    }

    void Produce(bool final, std::vector<int16_t>& out) {
        for (;;) {
            const double t = static_cast<double>(next_) * ratio_;
            if (final ? t >= static_cast<double>(total_)
                      : t + half_ >= static_cast<double>(total_)) {
                break;
            }
            double sum = 0.0;
            const auto lo = static_cast<qint64>(std::ceil(t - half_));
            const auto hi = static_cast<qint64>(std::floor(t + half_));
            for (qint64 k = std::max<qint64>(lo, 0); k <= hi && k < total_; ++k) {
                sum +=
                    buffer_[static_cast<size_t>(k - start_)] * Kernel(t - static_cast<double>(k));
            }
            out.push_back(static_cast<int16_t>(std::clamp(std::lround(sum), -32768L, 32767L)));
            ++next_;
        }
        const qint64 keep =
            static_cast<qint64>(std::floor(static_cast<double>(next_) * ratio_ - half_)) - 1;
        if (keep > start_) {
            const qint64 drop =
                std::min<qint64>(keep - start_, static_cast<qint64>(buffer_.size()));
            buffer_.erase(buffer_.begin(), buffer_.begin() + drop);
            start_ += drop;
        }
    }

    double ratio_;
    double cutoff_;  // in cycles per input sample
    double half_;    // reach of the filter, in input samples
    std::vector<float> buffer_;
    qint64 start_ = 0;  // input index of buffer_[0]
    qint64 total_ = 0;
    qint64 next_ = 0;
};

struct PcmFormat {
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

QString Quoted(const QString& path) {
    return QStringLiteral("\"%1\"").arg(path);
}

// Finds the format and the sound data; the file is left at the data's start.
std::optional<QString> ReadHeader(QFile& file, const QString& path, PcmFormat& format,
                                  qint64& dataSize) {
    if (file.size() == 0) {
        return Quoted(path) + QStringLiteral(" is empty.");
    }
    char riff[12];
    if (file.read(riff, 12) != 12 || memcmp(riff, "RIFF", 4) != 0 ||
        memcmp(riff + 8, "WAVE", 4) != 0) {
        return Quoted(path) + QStringLiteral(" is not a WAV file.");
    }
    bool haveFormat = false;
    for (;;) {
        char chunk[8];
        if (file.read(chunk, 8) != 8) {
            return Quoted(path) + (haveFormat ? QStringLiteral(" holds no sound data.")
                                              : QStringLiteral(" is truncated: it has no format."));
        }
        const qint64 size = U32(chunk + 4);
        const qint64 remaining = file.size() - file.pos();
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16 || size > remaining) {
                return Quoted(path) + QStringLiteral(" is truncated or damaged in its format.");
            }
            const QByteArray fmt = file.read(size);
            quint16 tag = U16(fmt.constData());
            // The extensible format names its coding in a sub-format whose first two bytes are
            // the plain format tag.
            if (tag == 0xFFFE && fmt.size() >= 26) {
                tag = U16(fmt.constData() + 24);
            }
            format.channels = U16(fmt.constData() + 2);
            format.rate = static_cast<int>(U32(fmt.constData() + 4));
            format.bits = U16(fmt.constData() + 14);
            const int blockAlign = U16(fmt.constData() + 12);
            if (tag != 1) {
                return Quoted(path) + QStringLiteral(
                                          " is not PCM sound (coding %1); only uncompressed PCM "
                                          "WAV files can be read.")
                                          .arg(tag);
            }
            if (format.channels < 1 || format.channels > 2 ||
                (format.bits != 8 && format.bits != 16) || format.rate < 8000 ||
                format.rate > 48000) {
                const QString channels = format.channels == 1
                                             ? QStringLiteral("1 channel")
                                             : QStringLiteral("%1 channels").arg(format.channels);
                return Quoted(path) + QStringLiteral(
                                          " has %1 of %2 bits at %3 Hz; mono or stereo "
                                          "8 or 16 bit at 8000 to 48000 Hz can be read.")
                                          .arg(channels)
                                          .arg(format.bits)
                                          .arg(format.rate);
            }
            if (blockAlign != format.channels * format.bits / 8) {
                return Quoted(path) + QStringLiteral(" is damaged in its format.");
            }
            haveFormat = true;
        } else if (memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) {
                return Quoted(path) +
                       QStringLiteral(" is damaged: its sound comes before its format.");
            }
            // Writers that stream to a pipe cannot know the size and leave the largest one.
            if (size > remaining && size < 0x7FFFF000) {
                return Quoted(path) + QStringLiteral(" is truncated.");
            }
            dataSize = std::min(size, remaining);
            if (dataSize < format.channels * format.bits / 8) {
                return Quoted(path) + QStringLiteral(" holds no sound.");
            }
            return std::nullopt;
        } else {
            if (size + (size & 1) > remaining || !file.seek(file.pos() + size + (size & 1))) {
                return Quoted(path) + QStringLiteral(" is truncated.");
            }
        }
    }
}

}  // namespace

std::optional<QString> ReadWavSamples(const QString& path, const SampleSink& sink) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("%1 cannot be read: %2").arg(Quoted(path), file.errorString());
    }
    PcmFormat format;
    qint64 dataSize = 0;
    if (auto refused = ReadHeader(file, path, format, dataSize)) {
        return refused;
    }
    const int frameBytes = format.channels * format.bits / 8;
    const qint64 frameCount = dataSize / frameBytes;
    std::optional<Resampler> resampler;
    if (format.rate != kGsmSampleRate) {
        resampler.emplace(format.rate);
    }
    const QString refused = QStringLiteral("The sound could not be stored.");
    std::vector<float> mono;
    std::vector<int16_t> samples;
    constexpr qint64 kFramesPerRead = 8192;
    for (qint64 done = 0; done < frameCount;) {
        const qint64 frames = std::min(kFramesPerRead, frameCount - done);
        const QByteArray bytes = file.read(frames * frameBytes);
        if (bytes.size() != frames * frameBytes) {
            return Quoted(path) + QStringLiteral(" could not be read to its end.");
        }
        mono.resize(static_cast<size_t>(frames));
        for (qint64 i = 0; i < frames; ++i) {
            float sum = 0;
            for (int c = 0; c < format.channels; ++c) {
                const char* at = bytes.constData() + i * frameBytes + c * format.bits / 8;
                sum += format.bits == 8
                           ? (static_cast<float>(static_cast<uchar>(*at)) - 128.0f) * 256.0f
                           : static_cast<float>(static_cast<qint16>(U16(at)));
            }
            mono[static_cast<size_t>(i)] = sum / static_cast<float>(format.channels);
        }
        samples.clear();
        if (resampler) {
            resampler->Push(mono, samples);
        } else {
            for (float s : mono) {
                samples.push_back(
                    static_cast<int16_t>(std::clamp(std::lround(s), -32768L, 32767L)));
            }
        }
        if (!sink(samples)) {
            return refused;
        }
        done += frames;
    }
    samples.clear();
    if (resampler) {
        resampler->Finish(samples);
    }
    if (!sink(samples)) {
        return refused;
    }
    return std::nullopt;
}

std::optional<QString> ImportWav(const QString& path, AudioFile& target) {
    GsmEncoder encoder;
    QByteArray encoded;
    // The blocks reach the file a buffer's worth at a time.
    auto refused = ReadWavSamples(path, [&](std::span<const int16_t> samples) {
        encoder.Encode(samples, encoded);
        if (encoded.size() < kAudioBufferBytes) {
            return true;
        }
        const bool stored = target.Append(encoded);
        encoded.clear();
        return stored;
    });
    if (refused) {
        return refused;
    }
    encoder.Finish(encoded);
    if (!target.Append(encoded)) {
        return QStringLiteral("The sound could not be stored.");
    }
    return std::nullopt;
}

std::optional<QString> ExportWav(const AudioFile& source, const QString& path) {
    const qint64 blocks = source.Size() / kGsmBlockBytes;
    const qint64 dataBytes = blocks * kGsmBlockSamples * 2;
    if (dataBytes > 0xFFFFFFFFLL - 36) {
        return QStringLiteral("The note is too long for a WAV file.");
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("%1 cannot be written: %2").arg(Quoted(path), file.errorString());
    }
    QByteArray header(44, '\0');
    char* h = header.data();
    memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(static_cast<quint32>(36 + dataBytes), h + 4);
    memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(1, h + 22);
    qToLittleEndian<quint32>(kGsmSampleRate, h + 24);
    qToLittleEndian<quint32>(kGsmSampleRate * 2, h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(static_cast<quint32>(dataBytes), h + 40);
    file.write(header);

    GsmDecoder decoder;
    QByteArray gsm(kAudioBufferBytes, Qt::Uninitialized);
    std::array<int16_t, kGsmBlockSamples> samples;
    QByteArray pcm;
    for (qint64 offset = 0; offset < blocks * kGsmBlockBytes;) {
        const qint64 wanted = std::min<qint64>(kAudioBufferBytes, blocks * kGsmBlockBytes - offset);
        if (source.ReadAt(offset, gsm.data(), wanted) != wanted) {
            file.cancelWriting();
            return QStringLiteral("The note's sound could not be read.");
        }
        pcm.clear();
        for (qint64 at = 0; at < wanted; at += kGsmBlockBytes) {
            decoder.DecodeBlock(QByteArrayView(gsm.constData() + at, kGsmBlockBytes), samples);
            for (int16_t s : samples) {
                char le[2];
                qToLittleEndian<qint16>(s, le);
                pcm.append(le, 2);
            }
        }
        file.write(pcm);
        offset += wanted;
    }
    if (!file.commit()) {
        return QStringLiteral("%1 cannot be written: %2").arg(Quoted(path), file.errorString());
    }
    return std::nullopt;
}

}  // namespace plantrek
