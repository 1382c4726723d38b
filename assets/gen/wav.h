#pragma once
// 16-bit PCM mono WAV writing.

#include <QString>
#include <vector>

constexpr int kSampleRate = 22050;

// Writes samples in -1..1 (clipped) as a 16-bit mono WAV. False on failure.
bool WriteWav(const QString& path, const std::vector<float>& samples);
