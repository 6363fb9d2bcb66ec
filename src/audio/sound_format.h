#pragma once

// The one sound format and looping-buffer layout of the audio output: 16-bit signed
// little-endian mono PCM at 48 kHz, streamed through a loop of 16 blocks.

namespace korvex {

inline constexpr int kSoundRate = 48000;       // samples per second
inline constexpr int kSoundChannels = 1;       // mono
inline constexpr int kSoundBytesPerSample = 2; // 16 bits, little-endian signed
inline constexpr int kSoundBytesPerSecond = 96000;
inline constexpr int kSoundBlockBytes = 6144; // 3072 samples, 64 ms
inline constexpr int kSoundBlockCount = 16;
inline constexpr int kSoundLoopBytes = kSoundBlockBytes * kSoundBlockCount; // 98304
// Each block signals the worker when the play cursor passes its middle.
inline constexpr int kSoundNotifyOffset = kSoundBlockBytes / 2;

} // namespace korvex
