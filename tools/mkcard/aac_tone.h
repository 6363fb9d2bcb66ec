#pragma once

// A steady sine tone encoded as AAC-LC, mono, 48 kHz, each frame with its ADTS header.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvex::mkcard {

constexpr int kAudioRate = 48000;
constexpr int kAacFrameSamples = 1024;

// frames ADTS frames (1024 samples each) of a tone with the given peak (0..1, of full scale).
std::vector<std::vector<uint8_t>> EncodeAacTone(int frames, double level, int hz);

// The seven-byte ADTS header (no CRC) of an AAC-LC, mono, 48 kHz frame of raw_size bytes.
void AppendAdtsHeader(std::vector<uint8_t>& out, size_t raw_size);

} // namespace korvex::mkcard
