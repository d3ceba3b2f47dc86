#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <span>

// GSM 6.10 in the packing of wave format 49: each 65-byte block carries two 160-sample frames,
// so 320 samples of 8000 Hz mono audio. The stream of blocks is what a note's file holds.
struct gsm_state;

namespace plantrek {

inline constexpr int kGsmBlockBytes = 65;
inline constexpr int kGsmBlockSamples = 320;
inline constexpr int kGsmSampleRate = 8000;

class GsmEncoder {
public:
    GsmEncoder();
    ~GsmEncoder();
    GsmEncoder(const GsmEncoder&) = delete;
    GsmEncoder& operator=(const GsmEncoder&) = delete;

    // Takes samples of any count and appends every block they complete to out.
    void Encode(std::span<const int16_t> samples, QByteArray& out);
    // Completes a started block with silence, so that no sound is lost at the end.
    void Finish(QByteArray& out);
    // Samples waiting for their block.
    int Pending() const { return pending_; }

private:
    void EncodeBlock(QByteArray& out);

    gsm_state* state_;
    std::array<int16_t, kGsmBlockSamples> block_{};
    int pending_ = 0;
};

class GsmDecoder {
public:
    GsmDecoder();
    ~GsmDecoder();
    GsmDecoder(const GsmDecoder&) = delete;
    GsmDecoder& operator=(const GsmDecoder&) = delete;

    // One 65-byte block into 320 samples. False when libgsm refuses the block; the samples are
    // then silence, so a damaged block is a short gap and not noise.
    bool DecodeBlock(QByteArrayView block, std::span<int16_t, kGsmBlockSamples> samples);

private:
    gsm_state* state_;
};

}  // namespace plantrek
