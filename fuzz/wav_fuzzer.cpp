// WAV files: any bytes are either refused with a reason or read as whole GSM blocks, and never
// more sound comes out than the file could hold.
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

#include "audio/audio_file.h"
#include "audio/io/wav_file.h"
#include "fuzz/fuzz_support.h"

using namespace plantrek;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath("input.wav");
    {
        QFile file(path);
        fuzz::Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "no input file");
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    AudioFile audio(dir.path());
    const auto refused = ImportWav(path, audio);
    if (refused) {
        fuzz::Require(!refused->isEmpty(), "refused without a reason");
        return 0;
    }
    fuzz::Require(audio.Size() % 65 == 0, "the sound is not whole blocks");
    // One byte a sample at 8000 Hz is the least a readable file holds; each block covers 320
    // samples of 8000 Hz and only the last may be padded.
    fuzz::Require(audio.Size() > 0 && (audio.Size() / 65 - 1) * 320 <= static_cast<qint64>(size),
                  "more sound than the file holds");
    return 0;
}
