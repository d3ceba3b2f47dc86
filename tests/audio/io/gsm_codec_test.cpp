#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include "audio/annotation.h"
#include "audio/io/gsm_codec.h"
#include "audio/io/wav_file.h"
#include "audio_io_support.h"

namespace plantrek {
namespace {

// A spoken sentence at 8000 Hz, or a tone sweep where the speech synthesiser is missing.
std::vector<int16_t> SpeechOrSweep() {
    std::vector<int16_t> samples;
    QTemporaryDir dir;
    const QString wav = dir.filePath("speech.wav");
    QProcess espeak;
    espeak.start("espeak-ng", {"-w", wav, "The kitchen wall is four metres twenty long."});
    if (espeak.waitForFinished(30000) && espeak.exitCode() == 0 &&
        !ReadWavSamples(wav, [&](std::span<const int16_t> s) {
            samples.insert(samples.end(), s.begin(), s.end());
            return true;
        })) {
        return samples;
    }
    std::printf("espeak-ng is missing: a tone sweep stands in for speech\n");
    double phase = 0;
    for (int i = 0; i < 3 * kGsmSampleRate; ++i) {
        const double hz = 200.0 + 3000.0 * i / (3.0 * kGsmSampleRate);
        phase += 2 * M_PI * hz / kGsmSampleRate;
        samples.push_back(static_cast<int16_t>(8000 * std::sin(phase)));
    }
    return samples;
}

std::vector<int16_t> RoundTrip(const std::vector<int16_t>& in, QByteArray* gsm = nullptr) {
    GsmEncoder encoder;
    QByteArray blocks;
    encoder.Encode(in, blocks);
    encoder.Finish(blocks);
    GsmDecoder decoder;
    std::vector<int16_t> out(blocks.size() / kGsmBlockBytes * kGsmBlockSamples);
    for (qsizetype b = 0; b * kGsmBlockBytes < blocks.size(); ++b) {
        decoder.DecodeBlock(blocks.sliced(b * kGsmBlockBytes, kGsmBlockBytes),
                            std::span<int16_t, kGsmBlockSamples>(&out[b * kGsmBlockSamples],
                                                                 kGsmBlockSamples));
    }
    if (gsm != nullptr) {
        *gsm = blocks;
    }
    return out;
}

double SnrDb(const std::vector<int16_t>& ref, const std::vector<int16_t>& got) {
    double signal = 0, noise = 0;
    for (size_t i = 0; i < ref.size(); ++i) {
        signal += double(ref[i]) * ref[i];
        noise += (double(ref[i]) - got[i]) * (double(ref[i]) - got[i]);
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST(GsmCodec, SpeechSurvivesTheRoundTrip) {
    const std::vector<int16_t> speech = SpeechOrSweep();
    ASSERT_GT(speech.size(), 8000u);
    QByteArray gsm;
    const std::vector<int16_t> decoded = RoundTrip(speech, &gsm);
    ASSERT_GE(decoded.size(), speech.size());
    const double snr = SnrDb(speech, decoded);
    std::printf("GSM round trip: %.1f dB\n", snr);
    EXPECT_GT(snr, 5.0);

    // A stream of blocks cut wrongly (one byte late) decodes to noise: the measure tells apart.
    GsmDecoder decoder;
    std::vector<int16_t> shifted(decoded.size(), 0);
    for (qsizetype b = 0; (b + 1) * kGsmBlockBytes + 1 <= gsm.size(); ++b) {
        decoder.DecodeBlock(gsm.sliced(b * kGsmBlockBytes + 1, kGsmBlockBytes),
                            std::span<int16_t, kGsmBlockSamples>(&shifted[b * kGsmBlockSamples],
                                                                 kGsmBlockSamples));
    }
    EXPECT_LT(SnrDb(speech, shifted), 1.0);
}

TEST(GsmCodec, WholeBlocksAndTenSecondsOfText) {
    struct Case {
        size_t samples;
        qsizetype bytes;
    };
    for (const Case c : {Case{0, 0}, Case{1, 65}, Case{320, 65}, Case{321, 130},
                         Case{10 * 8000, 16250}}) {
        GsmEncoder encoder;
        QByteArray blocks;
        encoder.Encode(std::vector<int16_t>(c.samples, 1000), blocks);
        encoder.Finish(blocks);
        EXPECT_EQ(blocks.size(), c.bytes) << c.samples;
    }
    // Ten seconds: 13 pieces of 1200 bytes and one of 650, 21668 characters of Base64.
    GsmEncoder encoder;
    QByteArray blocks;
    std::vector<int16_t> tone(10 * 8000);
    for (size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<int16_t>(6000 * std::sin(i * 0.3));
    }
    encoder.Encode(tone, blocks);
    Annotation note;
    ASSERT_TRUE(note.File()->Append(blocks));
    QString text = note.GetAudioText();
    text.remove(QRegularExpression("\r\n"));
    EXPECT_EQ(text.size(), 21668);
    Annotation back;
    EXPECT_EQ(back.SetAudioText(text), 16250);
}

}  // namespace
}  // namespace plantrek
