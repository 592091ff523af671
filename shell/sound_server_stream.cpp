// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/sound_server_stream.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <algorithm>

namespace {

constexpr qsizetype FramesFor(int ms) { return qsizetype(SoundMixer::kRate) * ms / 1000; }
uint32_t BytesFor(int ms) { return uint32_t(FramesFor(ms)) * uint32_t(sizeof(int16_t)); }

// A change is heard from the start of a block; the finer the blocks, the sooner.
constexpr qsizetype kBlockFrames = FramesFor(5);

}  // namespace

SoundServerStream::SoundServerStream(SoundMixer& mixer) : m_mixer(mixer) {}

SoundServerStream::~SoundServerStream() { Close(); }

template <typename Ready, typename Failed>
bool SoundServerStream::WaitUntil(Ready ready, Failed failed) {
  for (;;) {
    if (ready()) return true;
    if (failed()) return false;
    pa_threaded_mainloop_wait(m_loop);
  }
}

bool SoundServerStream::Open() {
  m_loop = pa_threaded_mainloop_new();
  if (m_loop == nullptr) return false;
  m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "О, фартовик!");
  if (m_context == nullptr) return Close(), false;
  pa_context_set_state_callback(m_context, &SoundServerStream::OnContextState, this);
  // No server is started on the game's behalf: without one the game is simply silent.
  if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return Close(), false;
  // The loop's thread is born with the priority of the thread that starts it, the
  // feed's, which asked to be served first.
  if (pa_threaded_mainloop_start(m_loop) < 0) return Close(), false;

  pa_threaded_mainloop_lock(m_loop);
  bool ok = WaitUntil([this] { return pa_context_get_state(m_context) == PA_CONTEXT_READY; },
                      [this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)); });
  if (ok) {
    const pa_sample_spec spec{PA_SAMPLE_S16NE, uint32_t(SoundMixer::kRate), 1};
    m_stream = pa_stream_new(m_context, "Игра", &spec, nullptr);
    ok = m_stream != nullptr;
  }
  if (ok) {
    pa_stream_set_state_callback(m_stream, &SoundServerStream::OnStreamState, this);
    pa_stream_set_write_callback(m_stream, &SoundServerStream::OnWritable, this);
    pa_buffer_attr attributes{};
    attributes.maxlength = uint32_t(-1);
    attributes.tlength = BytesFor(kAheadMs);
    attributes.prebuf = BytesFor(kRequestMs);
    attributes.minreq = BytesFor(kRequestMs);
    attributes.fragsize = uint32_t(-1);
    // The time of the sample being heard is wanted at every change, without a
    // round trip to the server.
    const auto flags = pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    ok = pa_stream_connect_playback(m_stream, nullptr, &attributes, flags, nullptr, nullptr) == 0;
  }
  if (ok) {
    ok = WaitUntil([this] { return pa_stream_get_state(m_stream) == PA_STREAM_READY; },
                   [this] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)); });
  }
  pa_threaded_mainloop_unlock(m_loop);
  if (!ok) Close();
  return ok;
}

void SoundServerStream::Close() {
  if (m_loop == nullptr) return;
  // Stopping the loop first means no callback runs while the stream goes away.
  pa_threaded_mainloop_stop(m_loop);
  if (m_stream != nullptr) {
    pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
  }
  if (m_context != nullptr) {
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
  }
  pa_threaded_mainloop_free(m_loop);
  m_loop = nullptr;
  m_written = 0;
  m_moments.clear();
}

bool SoundServerStream::Playing() {
  if (m_loop == nullptr) return false;
  pa_threaded_mainloop_lock(m_loop);
  const bool playing = pa_context_get_state(m_context) == PA_CONTEXT_READY && m_stream != nullptr &&
                       pa_stream_get_state(m_stream) == PA_STREAM_READY;
  pa_threaded_mainloop_unlock(m_loop);
  return playing;
}

void SoundServerStream::Change(const std::function<void(SoundMixer&)>& change,
                               std::chrono::steady_clock::time_point asked) {
  pa_threaded_mainloop_lock(m_loop);
  pa_usec_t heard = 0;
  // Before the server has told where it plays, the change simply joins the mix as
  // it stands.
  auto from = m_moments.end();
  if (pa_stream_get_state(m_stream) == PA_STREAM_READY && pa_stream_get_time(m_stream, &heard) == 0) {
    const auto lost = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - asked);
    const qsizetype lead =
        std::max(FramesFor(kLeastLeadMs), FramesFor(kLeadMs) - qsizetype(lost.count()) * SoundMixer::kRate / 1000000);
    const qsizetype due = qsizetype(heard * SoundMixer::kRate / PA_USEC_PER_SEC) + lead;
    from = std::find_if(m_moments.begin(), m_moments.end(), [due](const Moment& m) { return m.frame >= due; });
  }
  if (from == m_moments.end()) {
    change(m_mixer);
  } else {
    const qsizetype end = m_written;
    m_written = from->frame;
    m_mixer.Restore(from->state);
    m_moments.erase(from, m_moments.end());
    change(m_mixer);
    Send(end - m_written, end - m_written);
  }
  pa_threaded_mainloop_unlock(m_loop);
}

void SoundServerStream::Send(qsizetype frames, qsizetype back) {
  m_block.resize(std::size_t(frames));
  for (qsizetype done = 0; done < frames;) {
    const qsizetype length = std::min(kBlockFrames, frames - done);
    m_moments.push_back({m_written, m_mixer.Saved()});
    m_mixer.Render(m_block.data() + done, length);
    m_written += length;
    done += length;
  }
  // What the server has played is never sent again.
  while (!m_moments.empty() && m_moments.front().frame < m_written - 2 * FramesFor(kAheadMs)) m_moments.pop_front();
  pa_stream_write(m_stream, m_block.data(), std::size_t(frames) * sizeof(int16_t), nullptr,
                  -int64_t(back) * int64_t(sizeof(int16_t)), PA_SEEK_RELATIVE);
}

void SoundServerStream::OnContextState(pa_context*, void* self) {
  pa_threaded_mainloop_signal(static_cast<SoundServerStream*>(self)->m_loop, 0);
}

void SoundServerStream::OnStreamState(pa_stream*, void* self) {
  pa_threaded_mainloop_signal(static_cast<SoundServerStream*>(self)->m_loop, 0);
}

void SoundServerStream::OnWritable(pa_stream*, std::size_t bytes, void* self) {
  static_cast<SoundServerStream*>(self)->Send(qsizetype(bytes / sizeof(int16_t)), 0);
}
