// Loudness: the integrated loudness (ITU-R BS.1770 K-weighting with EBU R128 gating) of a
// finished sound and the levelling that brings it to a target.
//
// Levelling scales a sound to a loudness and holds its peaks under a ceiling with a
// look-ahead limiter, measured on a 4x oversampled signal so that the peaks between samples
// stay under it too. For a loop the limiter's gain runs around the end into the start, so the
// join stays seamless.
#pragma once

#include "assetbuilder/sound/stereo_buffer.h"

namespace tvx {

// LUFS; sounds shorter than one 400 ms block are measured followed by silence. -70 or less
// when nothing is above the absolute gate.
double IntegratedLoudness(const StereoBuffer& buffer);

// The highest absolute value of the signal 4x oversampled: a close estimate of the true peak.
float OversampledPeak(const StereoBuffer& buffer);

// Scales to `lufs` with peaks (oversampled) limited to `ceilingDb` dBFS.
void LevelTo(StereoBuffer& buffer, double lufs, float ceilingDb, bool loop);

// Saturates with a tanh curve driven `driveDb` above full scale, keeping the peak: denser
// and louder, as an overdriven recording of a blast.
void Saturate(StereoBuffer& buffer, float driveDb);

// A one-pole high pass: takes out the offset and the rumble that saturation leaves in a one-shot.
void HighPass(StereoBuffer& buffer, float hz);

// Subtracts each channel's mean: a loop then carries no DC offset and still joins.
void RemoveMean(StereoBuffer& buffer);

}  // namespace tvx
