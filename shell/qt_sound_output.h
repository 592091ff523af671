// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <array>

#include "engine/sound_output.h"

class QSoundEffect;

/// The game's sounds through Qt Multimedia. Every sound is loaded from the resources
/// when the window is made, so that a cue only has to start playing when the game
/// asks for it. Loops fade: a new bed cross-fades with the one playing, a stopped one
/// fades out. With no audio output at all (a server, CI) it makes no player and stays
/// silent without a word.
class QtSoundOutput : public QObject, public SoundOutput {
 public:
  explicit QtSoundOutput(QObject* parent = nullptr);
  ~QtSoundOutput() override;

  void Play(Cue sting) override;
  void StartBed(Cue bed) override;
  void StopBed() override;
  void StartMurmur(Cue murmur) override;
  void StopMurmur() override;

 private:
  /// A looping sound and where its fade stands: level 0 silent … 1 full.
  struct Loop {
    QSoundEffect* effect = nullptr;
    float level = 0;
    float target = 0;
    float step = 0;  ///< level change per fade tick
    bool started = false;  ///< asked to play and not stopped since
  };
  /// Fades every loop of [first, last] towards silence but `keep`, which fades in.
  void FadeLoops(Cue first, Cue last, const Cue* keep, int fadeMs);
  void FadeStep();

  bool m_audible = false;
  std::array<QSoundEffect*, kCueCount> m_stings{};
  std::array<Loop, kCueCount> m_loops{};
  QTimer m_fade;
};
