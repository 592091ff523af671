// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <QtGlobal>

#include <chrono>
#include <utility>
#include <vector>

#include <pthread.h>
#include <sched.h>

#include "shell/sound_server_stream.h"
#include "shell/wav_clip.h"

namespace {

// What the server holds ahead of the mix: a cue is heard this long after it is asked
// for, at most, plus one feed period.
constexpr int kBufferMs = 25;
constexpr int kFeedMs = 2;
constexpr int kReconnectMs = 1000;

QtMessageHandler g_passOn = nullptr;

/// The sound server's client says that it found no server; for a game that simply
/// plays silent then, that is no news for the player's terminal.
void DropMissingServerNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(u"PulseAudioService:")) return;
  if (g_passOn) g_passOn(type, context, message);
}

/// The output sounds go to; null when there is none.
QAudioDevice FindOutput() {
  g_passOn = qInstallMessageHandler(DropMissingServerNotice);
  const QAudioDevice device = QMediaDevices::defaultAudioOutput();
  qInstallMessageHandler(g_passOn);
  return device;
}

/// Loads every sound into the mixer, then keeps the stream topped up from it until
/// the thread is asked to quit.
class Feed : public QThread {
 public:
  Feed(SoundMixer& mixer, QtSoundOutput::ServerStream& server) : m_mixer(mixer), m_server(server) {}

 protected:
  void run() override {
    // Loading is no hurry and must not take the window's share of the machine.
    for (int i = 0; i < kCueCount; ++i) {
      QFile file(QStringLiteral(":/sounds/") + CueName(Cue(i)) + QStringLiteral(".wav"));
      if (file.open(QIODevice::ReadOnly)) m_mixer.SetClip(Cue(i), ClipFromWav(file.readAll()));
    }
    // The mix must be topped up every few milliseconds whatever else the machine
    // does; where the system lets a program ask for it, the feed is served first.
    sched_param realtime{};
    realtime.sched_priority = 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &realtime);
    // The desktop's sound server is spoken to directly where there is one: only so
    // can it hold enough of the mix to ride out a busy machine and still play a cue
    // at once. Qt's stream, topped up from a timer, is for the rest.
    SoundServerStream server(m_mixer);
    if (server.Open()) {
      Hand(&server);
      // A server that goes away (restarted, or replaced by another) is looked for
      // again; meanwhile the game plays on silent.
      QTimer watch;
      QObject::connect(&watch, &QTimer::timeout, [&] {
        if (server.Playing()) return;
        Hand(nullptr);
        server.Close();
        m_mixer.DropStings();
        if (server.Open()) Hand(&server);
      });
      watch.start(kReconnectMs);
      exec();
      Hand(nullptr);
      return;
    }
    const QAudioDevice device = FindOutput();
    if (device.isNull()) return;
    QAudioFormat format;
    format.setSampleRate(SoundMixer::kRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return;
    QAudioSink sink(device, format);
    sink.setBufferSize(format.bytesForDuration(kBufferMs * 1000));
    QIODevice* stream = sink.start();
    if (stream == nullptr) return;
    std::vector<int16_t> block;
    QTimer feed;
    feed.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feed, &QTimer::timeout, [&] {
      const qsizetype frames = sink.bytesFree() / qsizetype(sizeof(int16_t));
      if (frames <= 0) return;
      block.resize(std::size_t(frames));
      m_mixer.Render(block.data(), frames);
      stream->write(reinterpret_cast<const char*>(block.data()), frames * qsizetype(sizeof(int16_t)));
    });
    feed.start(kFeedMs);
    exec();
    sink.stop();
  }

 private:
  void Hand(SoundServerStream* stream) {
    const std::lock_guard lock(m_server.lock);
    m_server.stream = stream;
  }

  SoundMixer& m_mixer;
  QtSoundOutput::ServerStream& m_server;
};

}  // namespace

/// Runs its errand once the window has drawn a frame: the first one must never wait
/// for the sounds. A program that never draws gets its sounds after a second.
class QtSoundOutput::AfterNextFrame : public QObject {
 public:
  explicit AfterNextFrame(std::function<void()> errand) : m_errand(std::move(errand)) {
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(kLongestWaitMs, this, [this] { Run(); });
  }
  ~AfterNextFrame() override { Drop(); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // Queued behind the paint, the errand runs once the frame is out.
    if (event->type() == QEvent::Paint)
      QMetaObject::invokeMethod(
          this, [this] { Run(); }, Qt::QueuedConnection);
    return false;
  }

 private:
  static constexpr int kLongestWaitMs = 1000;
  void Drop() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
  }
  void Run() {
    if (!m_errand) return;
    Drop();
    std::exchange(m_errand, nullptr)();
  }
  std::function<void()> m_errand;
};

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() {
  m_waker.reset();
  if (!m_feed) return;
  m_feed->quit();
  m_feed->wait();
}

bool QtSoundOutput::Loading() const { return m_feed && (m_feed->isRunning() || m_feed->isFinished()); }

void QtSoundOutput::Wake() {
  if (m_feed || m_muted) return;
  m_feed = std::make_unique<Feed>(m_mixer, m_server);
  // What is asked for meanwhile waits in the mixer: the loops stand ready and start
  // with their sounds.
  m_waker = std::make_unique<AfterNextFrame>([feed = m_feed.get()] { feed->start(); });
}

void QtSoundOutput::Change(const std::function<void(SoundMixer&)>& change) {
  const auto asked = std::chrono::steady_clock::now();
  const std::lock_guard lock(m_server.lock);
  if (m_server.stream != nullptr) {
    m_server.stream->Change(change, asked);
  } else {
    change(m_mixer);
  }
}

void QtSoundOutput::Play(Cue sting) {
  Wake();
  Change([sting](SoundMixer& mixer) { mixer.Play(sting); });
}

void QtSoundOutput::StartBed(Cue bed) {
  Wake();
  Change([bed](SoundMixer& mixer) { mixer.StartBed(bed); });
}

void QtSoundOutput::StopBed() {
  Change([](SoundMixer& mixer) { mixer.StopBed(); });
}

void QtSoundOutput::StartMurmur(Cue murmur) {
  Wake();
  Change([murmur](SoundMixer& mixer) { mixer.StartMurmur(murmur); });
}

void QtSoundOutput::StopMurmur() {
  Change([](SoundMixer& mixer) { mixer.StopMurmur(); });
}

void QtSoundOutput::SetMuted(bool muted) {
  m_muted = muted;
  Change([muted](SoundMixer& mixer) { mixer.SetMuted(muted); });
  Wake();
}
