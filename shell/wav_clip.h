// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

/// The samples of a sound file as the mixer plays them, full scale ±1: a RIFF/WAVE
/// file of 16-bit PCM, one channel at the mixer's rate, the only kind the game ships.
/// Anything else gives no samples, so that a wrong file is silent, never noise.
std::vector<float> ClipFromWav(const QByteArray& file);
