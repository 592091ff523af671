// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <mutex>

#include "engine/sound_output.h"
#include "shell/sound_mixer.h"

class QThread;
class SoundServerStream;

/// The game's sounds: the game's own mixer feeds one output stream that runs for the
/// whole evening, so that no cue wears out with its plays; the stream goes to the
/// desktop's sound server directly where there is one, else through Qt Multimedia.
/// The sounds are loaded and the stream opened on a thread of their own once sound
/// is first wanted and the window has drawn its next frame: never on the way to the
/// first frame and never while muted. With no audio output at all (a server, CI) it
/// stays silent without a word.
class QtSoundOutput : public SoundOutput {
 public:
  QtSoundOutput();
  ~QtSoundOutput() override;

  void Play(Cue sting) override;
  void StartBed(Cue bed) override;
  void StopBed() override;
  void StartMurmur(Cue murmur) override;
  void StopMurmur() override;
  void SetMuted(bool muted) override;

  /// Whether the sounds are wanted: loaded, being loaded or waiting for a frame.
  bool Woken() const { return m_feed != nullptr; }
  /// Whether they have begun to load.
  bool Loading() const;

  /// The sound server's stream while the feed has one open.
  struct ServerStream {
    std::mutex lock;
    SoundServerStream* stream = nullptr;
  };

 private:
  class AfterNextFrame;
  void Wake();
  /// Makes `change` to the mix, through the sound server's stream when there is one.
  void Change(const std::function<void(SoundMixer&)>& change);

  bool m_muted = false;
  SoundMixer m_mixer;
  ServerStream m_server;
  std::unique_ptr<QThread> m_feed;
  std::unique_ptr<AfterNextFrame> m_waker;
};
