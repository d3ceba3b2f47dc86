#include "audio/io/gsm_codec.h"

#include <gsm.h>

#include <algorithm>
#include <new>

namespace plantrek {

namespace {

gsm MakeWav49() {
    gsm state = gsm_create();
    if (state == nullptr) {
        throw std::bad_alloc();
    }
    int on = 1;
    gsm_option(state, GSM_OPT_WAV49, &on);
    return state;
}

}  // namespace

GsmEncoder::GsmEncoder() : state_(MakeWav49()) {}

GsmEncoder::~GsmEncoder() {
    gsm_destroy(state_);
}

void GsmEncoder::Encode(std::span<const int16_t> samples, QByteArray& out) {
    while (!samples.empty()) {
        const size_t take = std::min<size_t>(samples.size(), kGsmBlockSamples - pending_);
        std::copy_n(samples.begin(), take, block_.begin() + pending_);
        pending_ += static_cast<int>(take);
        samples = samples.subspan(take);
        if (pending_ == kGsmBlockSamples) {
            EncodeBlock(out);
        }
    }
}

void GsmEncoder::Finish(QByteArray& out) {
    if (pending_ == 0) {
        return;
    }
    std::fill(block_.begin() + pending_, block_.end(), int16_t{0});
    EncodeBlock(out);
}

// The packing alternates: the first frame of a block takes 32 bytes, the second 33.
void GsmEncoder::EncodeBlock(QByteArray& out) {
    const qsizetype at = out.size();
    out.resize(at + kGsmBlockBytes);
    auto* bytes = reinterpret_cast<gsm_byte*>(out.data() + at);
    gsm_encode(state_, block_.data(), bytes);
    gsm_encode(state_, block_.data() + 160, bytes + 32);
    pending_ = 0;
}

GsmDecoder::GsmDecoder() : state_(MakeWav49()) {}

GsmDecoder::~GsmDecoder() {
    gsm_destroy(state_);
}

// Decoding consumes the opposite order: 33 bytes, then 32.
bool GsmDecoder::DecodeBlock(QByteArrayView block, std::span<int16_t, kGsmBlockSamples> samples) {
    bool ok = block.size() == kGsmBlockBytes;
    if (ok) {
        // libgsm takes a non-const pointer but only reads the frame.
        auto* bytes = reinterpret_cast<gsm_byte*>(const_cast<char*>(block.data()));
        ok = gsm_decode(state_, bytes, samples.data()) == 0 &&
             gsm_decode(state_, bytes + 33, samples.data() + 160) == 0;
    }
    if (!ok) {
        std::fill(samples.begin(), samples.end(), int16_t{0});
    }
    return ok;
}

}  // namespace plantrek
