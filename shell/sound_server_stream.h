// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "shell/sound_mixer.h"

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

/// The game's mix played straight through the desktop's sound server (PulseAudio, or
/// PipeWire speaking its protocol). The server holds half a second of the mix, so
/// that a machine that stalls for a moment does not leave it without sound (a loaded
/// machine was seen to hold the feed up for over 200 ms);
/// a change to the mix is not queued behind all that, but mixed again into what was
/// sent from a few milliseconds after the sample being heard, and sent over it.
class SoundServerStream {
 public:
  /// What the server holds ahead of the loudspeaker, and how much it asks for at a time.
  static constexpr int kAheadMs = 500;
  static constexpr int kRequestMs = 20;
  /// How far past the sample being heard a change is mixed in: room for the server
  /// to take the new samples before it plays them.
  static constexpr int kLeadMs = 12;
  /// The least of that lead: what a game's thread held up on its way to the server
  /// has lost is taken off the lead, down to this.
  static constexpr int kLeastLeadMs = 4;

  explicit SoundServerStream(SoundMixer& mixer);
  ~SoundServerStream();
  SoundServerStream(const SoundServerStream&) = delete;
  SoundServerStream& operator=(const SoundServerStream&) = delete;

  /// Connects to the session's server and starts playing; false, and silent, where
  /// no server answers or it refuses the stream.
  bool Open();

  /// Makes `change` to the mix (a cue, a fade, the mute), asked for at `asked`, and
  /// lets it be heard a few milliseconds after that.
  void Change(const std::function<void(SoundMixer&)>& change, std::chrono::steady_clock::time_point asked);

  /// Whether the server still plays the stream; false once it has gone away.
  bool Playing();

  /// Lets go of the server, if any: the stream starts from its first sample when
  /// opened again.
  void Close();

 private:
  /// Where the mix stood at the start of a block sent to the server.
  struct Moment {
    qsizetype frame;
    SoundMixer::State state;
  };

  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnWritable(pa_stream* stream, std::size_t bytes, void* self);
  /// Renders `frames` from the mixer as it stands and sends them to land `back`
  /// frames before the end of what the server has.
  void Send(qsizetype frames, qsizetype back);
  /// Waits, with the loop locked, until `ready` or `failed` says the server answered.
  template <typename Ready, typename Failed>
  bool WaitUntil(Ready ready, Failed failed);

  SoundMixer& m_mixer;
  pa_threaded_mainloop* m_loop = nullptr;
  pa_context* m_context = nullptr;
  pa_stream* m_stream = nullptr;
  qsizetype m_written = 0;  ///< frames sent since the stream began
  std::deque<Moment> m_moments;
  std::vector<int16_t> m_block;
};
