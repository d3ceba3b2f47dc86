#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <cmath>

#include "audio/io/wav_file.h"
#include "audio_io_support.h"

namespace plantrek {
namespace {

// A spoken sentence at 8000 Hz, or a tone sweep where the speech synthesiser is missing.
std::vector<int16_t> SpeechOrSweep() {
    std::vector<int16_t> samples;
    QTemporaryDir dir;
    QProcess espeak;
    espeak.start("espeak-ng", {"-w", dir.filePath("s.wav"), "The kitchen wall is four metres."});
    if (espeak.waitForFinished(30000) && espeak.exitCode() == 0 &&
        !ReadWavSamples(dir.filePath("s.wav"), [&](std::span<const int16_t> s) {
            samples.insert(samples.end(), s.begin(), s.end());
            return true;
        })) {
        return samples;
    }
    std::printf("espeak-ng is missing: a tone sweep stands in for speech\n");
    double phase = 0;
    for (int i = 0; i < 3 * kGsmSampleRate; ++i) {
        phase += 2 * M_PI * (200.0 + i / 8.0) / kGsmSampleRate;
        samples.push_back(static_cast<int16_t>(8000 * std::sin(phase)));
    }
    return samples;
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
    const QByteArray gsm = test::Encode(speech);
    EXPECT_GT(SnrDb(speech, test::Decode(gsm)), 8.0);  // about 11 dB
    // Blocks cut one byte late decode to noise: the measure tells a broken stream apart.
    std::vector<int16_t> shifted = test::Decode(gsm.left(gsm.size() - kGsmBlockBytes), 1);
    shifted.resize(speech.size());
    EXPECT_LT(SnrDb(speech, shifted), 1.0);
}

// Ten seconds are 16250 bytes, which the note's text holds in 21668 characters (its test).
TEST(GsmCodec, WholeBlocks) {
    for (const auto& [samples, bytes] : std::vector<std::pair<size_t, qsizetype>>{
             {0, 0}, {1, 65}, {320, 65}, {321, 130}, {80000, 16250}}) {
        EXPECT_EQ(test::Encode(std::vector<int16_t>(samples, 1000)).size(), bytes) << samples;
    }
}

}  // namespace
}  // namespace plantrek
