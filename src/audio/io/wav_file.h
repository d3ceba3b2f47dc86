#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "audio/audio_file.h"

// Notes in and out of plain PCM WAV files, for people who want their notes outside the program
// and for putting a note in without a sound card.
namespace plantrek {

// Reads a PCM WAV file (mono or stereo, 8000 to 48000 Hz, 8 or 16 bit) as 8000 Hz mono samples,
// handed to sink a piece at a time (possibly an empty one); a sink returning false stops it.
// The reason when the file is refused or the sink stopped.
using SampleSink = std::function<bool(std::span<const int16_t>)>;
std::optional<QString> ReadWavSamples(const QString& path, const SampleSink& sink);

// Reads a PCM WAV file (mono or stereo, 8000 to 48000 Hz, 8 or 16 bit), converts it to 8000 Hz
// mono and appends it to target as GSM blocks, streaming. The reason when the file is refused;
// target may then hold part of the sound, so it should be a new file the caller drops.
std::optional<QString> ImportWav(const QString& path, AudioFile& target);

// Writes the GSM audio of source as a PCM WAV file of 8000 Hz mono 16-bit samples, replacing
// path only once the whole file is written. The reason when it could not be written.
std::optional<QString> ExportWav(const AudioFile& source, const QString& path);

}  // namespace plantrek
