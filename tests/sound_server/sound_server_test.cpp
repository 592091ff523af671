// Games played by keys while a private sound server records what the game sends
// it: by default two whole games with every lifeline, the clock's last seconds and a
// mute, then a third game lost on its second question; with
// FARTOVIK_SOUND_SESSION=long three whole games and two short ones. Every sting is
// looked for in the recording by cross-correlation with its own file: it must be
// heard, within the latency bound of its moment, without a gap of digital silence
// while it sounds; mute must be silent soon after the key, and the music must not
// break up. Exits 77 where no private server can be started.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "screen/element.h"
#include "shell/main_window.h"
#include "shell/qt_sound_output.h"
#include "shell/sound_mixer.h"
#include "shell/wav_clip.h"
#include "tests/shell_open_window.h"
#include "tests/testing/question_bases.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kRate = SoundMixer::kRate;
constexpr double kLatencyBound = 0.030;
// The game's thread is an ordinary one: on a machine loaded many times over (a shared
// build machine) it is now and then held up for tens of milliseconds inside the very
// call that hands a request to the output, before the output can tell what is being
// heard. The bound is counted from when that call returned, less the time it took
// with nothing held up, so that the machine's delay is not blamed on the sound; it
// is printed for every play it spared.
constexpr double kCallBound = 0.002;
constexpr double kMuteBound = 0.050;

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

/// Question bases of short questions: a game is over in about a minute and a half,
/// and each next question's sting is asked while the right chord still rings, the
/// moment where one cue must wait for another.
void WriteShortQuestions(const QString& folder) {
  QDir().mkpath(folder + u"/Data"_s);
  for (int level = 0; level < 7; ++level) {
    QList<testbases::TestQuestion> questions;
    for (int i = 1; i <= 12; ++i) {
      const QString id = QString::number(level) + u'-' + QString::number(i);
      questions.append(
          {u"Как "_s + id + u'?', {u"Так "_s + id, u"Не так "_s + id, u"Иначе "_s + id, u"Никак "_s + id}});
    }
    QFile file(folder + u"/Data/short.ol"_s + QString::number(level));
    if (file.open(QIODevice::WriteOnly)) file.write(testbases::BaseFile(questions, u"2001"_s));
  }
}

/// A child process, ended with the test.
struct Child {
  pid_t pid = -1;
  int out = -1;  ///< its standard output, when asked for
  Child() = default;
  Child(Child&& other) noexcept : pid(std::exchange(other.pid, -1)), out(std::exchange(other.out, -1)) {}
  Child& operator=(Child&&) = delete;
  ~Child() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
};

Child Spawn(const std::vector<std::string>& args, bool readOutput, const std::string& logFile) {
  int pipeEnds[2] = {-1, -1};
  if (readOutput && pipe(pipeEnds) != 0) return {};
  Child child;
  child.pid = fork();
  if (child.pid == 0) {
    if (readOutput) dup2(pipeEnds[1], 1);
    if (FILE* log = fopen(logFile.c_str(), "w")) dup2(fileno(log), 2);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (readOutput) {
    close(pipeEnds[1]);
    child.out = pipeEnds[0];
  }
  return child;
}

/// What the game asked the output for, and when.
struct Request {
  double at;
  QString what;  ///< "sting", "bed", "stop bed", "murmur", "stop murmur", "mute", "unmute"
  std::optional<Cue> cue;
  double handed = 0;  ///< when the output returned from it
};

class StampingOutput : public SoundOutput {
 public:
  explicit StampingOutput(SoundOutput& real) : m_real(real) {}
  void Play(Cue sting) override { Log(u"sting"_s, sting), m_real.Play(sting), Handed(); }
  void StartBed(Cue bed) override { Log(u"bed"_s, bed), m_real.StartBed(bed), Handed(); }
  void StopBed() override { Log(u"stop bed"_s, {}), m_real.StopBed(), Handed(); }
  void StartMurmur(Cue murmur) override { Log(u"murmur"_s, murmur), m_real.StartMurmur(murmur), Handed(); }
  void StopMurmur() override { Log(u"stop murmur"_s, {}), m_real.StopMurmur(), Handed(); }
  void SetMuted(bool muted) override { Log(muted ? u"mute"_s : u"unmute"_s, {}), m_real.SetMuted(muted), Handed(); }
  std::vector<Request> log;

 private:
  void Log(const QString& what, std::optional<Cue> cue) { log.push_back({Now(), what, cue}); }
  void Handed() { log.back().handed = Now(); }
  SoundOutput& m_real;
};

/// The monitor of the server's sink, read as it comes, each block stamped on the
/// game's clock. The first sample's time is the earliest any block allows: a block
/// can arrive late, never early.
class Recorder {
 public:
  void Start(int fd) {
    m_thread = std::thread([this, fd] {
      std::vector<int16_t> block(1024);
      for (;;) {
        const ssize_t got = read(fd, block.data(), block.size() * sizeof(int16_t));
        if (got <= 0) break;
        const double at = Now();
        const std::lock_guard lock(m_lock);
        m_samples.insert(m_samples.end(), block.begin(), block.begin() + got / 2);
        m_stamps.push_back({at, qsizetype(m_samples.size())});
      }
    });
  }
  /// The sample of the recording heard at time `t`. Blocks can arrive late, never
  /// early, so the earliest block nearby tells where the recording stands; taken
  /// nearby, not once, so that a block the recorder lost cannot shift all that follows.
  qsizetype SampleAt(double t) const {
    double start = 1e300;
    const auto from = std::lower_bound(m_stamps.begin(), m_stamps.end(), t - 1.0,
                                       [](const Stamp& s, double at) { return s.at < at; });
    for (auto s = from; s != m_stamps.end() && s->at < t + 1.0; ++s)
      start = std::min(start, s->at - double(s->samples) / kRate);
    return qsizetype(std::llround((t - start) * kRate));
  }
  double TimeOf(qsizetype sample) const {
    // Good enough to tell whether a sample falls inside a stretch of seconds.
    const auto s = std::lower_bound(m_stamps.begin(), m_stamps.end(), sample,
                                    [](const Stamp& st, qsizetype n) { return st.samples < n; });
    return s == m_stamps.end() ? 1e300 : s->at - double(s->samples - sample) / kRate;
  }
  /// Whether anything but silence has come yet.
  bool HeardAnything() {
    const std::lock_guard lock(m_lock);
    return std::any_of(m_samples.begin(), m_samples.end(), [](int16_t s) { return s != 0; });
  }
  ~Recorder() { Join(); }
  void Join() {
    if (m_thread.joinable()) m_thread.join();
  }
  std::vector<int16_t> m_samples;

 private:
  struct Stamp {
    double at;
    qsizetype samples;  ///< recorded up to then
  };
  std::vector<Stamp> m_stamps;
  std::thread m_thread;
  std::mutex m_lock;
};

struct Heard {
  bool heard = false;
  double latency = 0;  ///< seconds after the moment it was due
  double score = 0;
};

/// The stretch of a cue's file used to find it: its loudest 50 ms within the first
/// second, so that a sting that swells in is not looked for under the bed.
qsizetype ProbeStart(const std::vector<float>& clip) {
  constexpr qsizetype kWindow = kRate / 20, kStep = kRate / 100;
  qsizetype best = 0;
  double loudest = -1;
  for (qsizetype i = 0; i + kWindow <= std::min(qsizetype(clip.size()), qsizetype(kRate)); i += kStep) {
    double energy = 0;
    for (qsizetype k = 0; k < kWindow; ++k) energy += clip[std::size_t(i + k)] * clip[std::size_t(i + k)];
    if (energy > loudest) loudest = energy, best = i;
  }
  return best;
}

/// Looks for `clip` due at sample `due` of the recording, from a little before to
/// well past the latency bound; heard where the best normalised correlation is high.
Heard Find(const std::vector<int16_t>& rec, const std::vector<float>& clip, qsizetype due) {
  constexpr qsizetype kProbe = 2205;
  const qsizetype probe = ProbeStart(clip);
  qsizetype length = std::min(kProbe, qsizetype(clip.size()) - probe);
  double clipEnergy = 0;
  for (qsizetype k = 0; k < length; ++k) clipEnergy += clip[std::size_t(probe + k)] * clip[std::size_t(probe + k)];
  // A click (the clock's tick) is over in a few milliseconds; a probe running on past
  // it would weigh the bed under it as much as the click itself.
  double held = 0;
  for (qsizetype k = 0; k < length; ++k) {
    held += clip[std::size_t(probe + k)] * clip[std::size_t(probe + k)];
    if (held >= 0.9 * clipEnergy && k + 1 >= kRate / 100) {
      length = k + 1;
      clipEnergy = held;
      break;
    }
  }
  Heard best;
  for (qsizetype lag = -kRate / 200; lag <= kRate / 8; ++lag) {
    const qsizetype at = due + probe + lag;
    if (at < 0 || at + length > qsizetype(rec.size())) continue;
    double dot = 0, energy = 0;
    for (qsizetype k = 0; k < length; ++k) {
      const double r = rec[std::size_t(at + k)];
      dot += r * clip[std::size_t(probe + k)];
      energy += r * r;
    }
    const double score = energy > 0 ? dot / std::sqrt(energy * clipEnergy) : 0;
    if (score > best.score) best = {score >= 0.6, double(lag) / kRate, score};
  }
  return best;
}

/// The longest run of exact zeros in the recording over the first `length` samples
/// from `from` where the clip, started at `from`, sounds.
qsizetype LongestSilenceWhileSounding(const std::vector<int16_t>& rec, const std::vector<float>& clip, qsizetype from,
                                      qsizetype length) {
  qsizetype longest = 0, run = 0;
  length = std::min(length, qsizetype(clip.size()));
  for (qsizetype i = 0; i < length && from + i < qsizetype(rec.size()); ++i) {
    // A source sample that would round to silence on its own is no proof of a gap.
    const bool sounding = std::abs(clip[std::size_t(i)]) > 0.01f;
    run = rec[std::size_t(from + i)] == 0 && sounding ? run + 1 : (rec[std::size_t(from + i)] == 0 ? run : 0);
    longest = std::max(longest, run);
  }
  return longest;
}

class SoundServerGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    WriteShortQuestions(m_dir.path());
    for (int i = 0; i < kCueCount; ++i) {
      QFile file(QStringLiteral(":/sounds/") + CueName(Cue(i)) + QStringLiteral(".wav"));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      m_clips[std::size_t(i)] = ClipFromWav(file.readAll());
    }
  }

  Game& game() { return m_window->game(); }
  void Wait(double seconds) { QTest::qWait(int(seconds * 1000)); }
  void WaitFor(const std::function<bool()>& done, double seconds = 60) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < seconds * 1000) QTest::qWait(10);
    ASSERT_TRUE(done());
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(m_window.get(), key, modifiers);
  }
  void AnswerRight() {
    const int position = PositionOf(game().AnswerElement(1)) - 1;
    Key(Qt::Key(Qt::Key_A + position));
  }
  void AnswerWrong() {
    const int position = PositionOf(game().AnswerElement(1)) % 4;
    Key(Qt::Key(Qt::Key_A + position));
  }
  /// Waits through the judging to the next question, or to the end of the game.
  void Judged() {
    WaitFor([this] { return !game().Judgement().Running(); });
  }
  void Open() {
    WaitFor([this] { return game().CurrentRound().answersOpen; });
  }

  QTemporaryDir m_dir;
  std::array<std::vector<float>, kCueCount> m_clips;
  std::unique_ptr<MainWindow> m_window;
};

/// A private sound server with a null sink named "game", on a socket of its own.
struct SoundServer {
  std::vector<Child> processes;
  std::string socket;  ///< where clients speak PulseAudio's protocol to it
  QString log;         ///< what it said while starting; empty when it started
};

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 100 && !QFile::exists(QString::fromStdString(path)); ++i) QTest::qWait(50);
  return QFile::exists(QString::fromStdString(path));
}

QString ReadLog(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : path + u": no log"_s;
}

SoundServer StartPulseAudio(const QString& runtime) {
  SoundServer server;
  server.socket = QString(runtime + u"/native"_s).toStdString();
  server.processes.push_back(Spawn({"pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
                                    "--disable-shm", "--system=no", "--log-target=stderr",
                                    // Its debug log tells when a stream ran dry, for the summary.
                                    "--log-level=debug", "--log-time=yes",
                                    // As a desktop's server runs, served first where the system allows.
                                    "--realtime=yes", "--high-priority=yes", "-L",
                                    "module-native-protocol-unix socket=" + server.socket + " auth-anonymous=1", "-L",
                                    "module-null-sink sink_name=game rate=44100 channels=1"},
                                   false, QString(runtime + u"/server.log"_s).toStdString()));
  if (!WaitForFile(server.socket)) server.log = ReadLog(runtime + u"/server.log"_s);
  return server;
}

/// PipeWire with its session manager and its PulseAudio server, as a desktop of
/// today runs them, but without the session's message bus: the session manager's
/// parts that speak on it (device reservation, the sandbox portal) and its device
/// monitors are left out, there being no device to find.
SoundServer StartPipeWire(const QString& runtime) {
  SoundServer server;
  const QString config = runtime + u"/wireplumber"_s;
  const QString shipped = u"/usr/share/wireplumber"_s;
  QDirIterator files(shipped, QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString from = files.next();
    const QString to = config + from.mid(shipped.size());
    QDir().mkpath(QFileInfo(to).path());
    QFile::copy(from, to);
  }
  const auto edit = [&](const QString& file, const QString& from, const QString& to) {
    QFile f(config + file);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QString text = QString::fromUtf8(f.readAll()).replace(from, to);
    f.close();
    f.remove();
    if (f.open(QIODevice::WriteOnly)) f.write(text.toUtf8());
  };
  edit(u"/wireplumber.conf"_s, u"#support.dbus  = true"_s, u"support.dbus = false"_s);
  edit(u"/main.lua.d/50-default-access-config.lua"_s, u"[\"enable-flatpak-portal\"] = true"_s,
       u"[\"enable-flatpak-portal\"] = false"_s);
  for (const QString& monitor : {u"alsa_monitor"_s, u"v4l2_monitor"_s, u"libcamera_monitor"_s})
    edit(u"/main.lua.d/90-enable-all.lua"_s, monitor + u".enable()"_s, QString());

  setenv("XDG_RUNTIME_DIR", qPrintable(runtime), 1);
  setenv("PIPEWIRE_RUNTIME_DIR", qPrintable(runtime), 1);
  setenv("WIREPLUMBER_CONFIG_DIR", qPrintable(config), 1);
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  server.processes.push_back(Spawn({"pipewire"}, false, QString(runtime + u"/server.log"_s).toStdString()));
  if (!WaitForFile(QString(runtime + u"/pipewire-0"_s).toStdString())) {
    server.log = ReadLog(runtime + u"/server.log"_s);
    return server;
  }
  server.processes.push_back(Spawn({"wireplumber"}, false, QString(runtime + u"/wireplumber.log"_s).toStdString()));
  server.processes.push_back(Spawn({"pipewire-pulse"}, false, QString(runtime + u"/pulse.log"_s).toStdString()));
  server.socket = QString(runtime + u"/pulse/native"_s).toStdString();
  if (!WaitForFile(server.socket)) {
    server.log = ReadLog(runtime + u"/pulse.log"_s);
    return server;
  }
  const std::string loadSink = "pactl --server=unix:" + server.socket +
                               " load-module module-null-sink sink_name=game rate=44100 channels=1 >/dev/null";
  if (system(loadSink.c_str()) != 0)
    server.log = u"the null sink could not be made: "_s + ReadLog(runtime + u"/wireplumber.log"_s);
  return server;
}

/// The kind of server the environment asks for, in a folder of its own, and the
/// game's sound sent to it.
SoundServer StartServer(const QString& runtime) {
  QDir().mkpath(runtime);
  const bool pipeWire = qEnvironmentVariable("FARTOVIK_SOUND_SERVER") == u"pipewire"_s;
  SoundServer server = pipeWire ? StartPipeWire(runtime) : StartPulseAudio(runtime);
  setenv("PULSE_SERVER", ("unix:" + server.socket).c_str(), 1);
  return server;
}

/// A recorder of the server's sink, as the test's recording reads it.
Child RecordSink(const SoundServer& server, const QString& runtime, Recorder& recording) {
  // PipeWire runs its whole graph in the blocks the most hurried client asks for; in
  // blocks of 5 ms a loaded machine drops whole blocks to silence, whoever plays
  // (a plain player's tone was seen to), so its recorder asks for 20 ms.
  const bool pipeWire = qEnvironmentVariable("FARTOVIK_SOUND_SERVER") == u"pipewire"_s;
  const std::string latency = pipeWire ? "--latency-msec=20" : "--latency-msec=5";
  Child recorder = Spawn({"parec", "--server=unix:" + server.socket, "--device=game.monitor", "--raw", "--format=s16le",
                          "--rate=44100", "--channels=1", latency},
                         true, QString(runtime + u"/parec.log"_s).toStdString());
  recording.Start(recorder.out);
  return recorder;
}

TEST(SoundServerComeback, TheGameIsHeardAgainOnceItsServerComesBack) {
  QTemporaryDir dir;
  QtSoundOutput speakers;
  {
    const SoundServer first = StartServer(dir.path() + u"/first"_s);
    if (!first.log.isEmpty()) GTEST_SKIP() << "no private sound server: " << first.log.toStdString();
    Recorder recording;
    Child recorder = RecordSink(first, dir.path() + u"/first"_s, recording);
    speakers.StartBed(Cue::Theme);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recording.HeardAnything(); }, 10000)) << "the first server heard nothing";
  }
  // The server is gone: the game plays on, and a new server takes its place.
  speakers.Play(Cue::LockIn);
  QTest::qWait(300);
  const SoundServer second = StartServer(dir.path() + u"/second"_s);
  ASSERT_TRUE(second.log.isEmpty()) << second.log.toStdString();
  Recorder recording;
  Child recorder = RecordSink(second, dir.path() + u"/second"_s, recording);
  EXPECT_TRUE(QTest::qWaitFor([&] { return recording.HeardAnything(); }, 10000)) << "silent since the server came back";
}

TEST_F(SoundServerGame, EveryCueIsHeardOnTimeOnEveryPlayAndMuteIsSilent) {
  const QString runtime = m_dir.path() + u"/server"_s;
  const SoundServer server = StartServer(runtime);
  if (!server.log.isEmpty()) GTEST_SKIP() << "no private sound server: " << server.log.toStdString();
  const std::string socket = server.socket;

  // Declared first, so that the recorder below ends before its reader is joined.
  Recorder recording;
  Child recorder = RecordSink(server, runtime, recording);

  QtSoundOutput speakers;
  StampingOutput sound(speakers);
  MainWindow::Services services;
  services.programFolder = m_dir.path();
  services.sound = &sound;
  services.settingsFile = m_dir.path() + u"/fartovik.ini"_s;
  ActingInfoBox box;
  services.infoBox = &box;
  ASSERT_NO_FATAL_FAILURE(OpenWindow(m_window, std::move(services)));
  // An idle null sink has rendered well ahead of time and hands its monitor nothing
  // until it catches up; the game starts once the theme comes through.
  ASSERT_NO_FATAL_FAILURE(WaitFor([&] { return recording.HeardAnything(); }, 10));
  Wait(1.5);

  int questions = 0;
  std::vector<std::pair<double, double>> mutes;  // from the key to the unmute
  const auto mute = [&](double seconds) {
    const double from = Now();
    Key(Qt::Key_S);
    Wait(seconds);
    mutes.push_back({from, Now()});
    Key(Qt::Key_S);
  };
  const bool longSession = qEnvironmentVariable("FARTOVIK_SOUND_SESSION") == u"long"_s;
  // Won games with every lifeline, the clock's last seconds and a mute.
  for (int round = 1; round <= (longSession ? 3 : 2); ++round) {
    Key(Qt::Key_F2);
    for (int q = 1; q <= 15; ++q) {
      ASSERT_NO_FATAL_FAILURE(Open());
      if (round == 1 && q == 1) Wait(game().Clock().Limit() - 3.5);  // the tick at 5, 4, 3
      if (q == 2) Key(Qt::Key_1), Wait(1.6);
      if (q == 3) {
        Key(Qt::Key_2);
        WaitFor([this] { return !game().FriendWords().Running(); });
        Wait(0.5);
      }
      if (q == 4) Key(Qt::Key_3), Wait(2.5);
      if (q == 5 + 5 * ((round - 1) % 2)) Wait(0.5), mute(1.5), Wait(1.5);
      Wait(0.3);
      AnswerRight();
      ASSERT_NO_FATAL_FAILURE(Judged());
      ++questions;
    }
    ASSERT_EQ(game().OpenPanel(), Panel::Record);
    Wait(0.5);
    Key(Qt::Key_Return);  // the name as it stands; the record's cheer waits for the fanfare
    Wait(7);
    Key(Qt::Key_Return);  // the leaderboard closes
    Wait(1);
  }
  // Money taken on question 2, then a wrong answer on question 2.
  for (const bool take : longSession ? std::vector<bool>{true, false} : std::vector<bool>{false}) {
    Key(Qt::Key_F2);
    ASSERT_NO_FATAL_FAILURE(Open());
    AnswerRight();
    ASSERT_NO_FATAL_FAILURE(Judged());
    ASSERT_NO_FATAL_FAILURE(Open());
    Wait(0.3);
    if (take) {
      Key(Qt::Key_M, Qt::ControlModifier);
    } else {
      AnswerWrong();
      ASSERT_NO_FATAL_FAILURE(Judged());
    }
    questions += 2;
    Wait(4);
    Key(Qt::Key_Return);
    Wait(1.5);
    Key(Qt::Key_Return);
    Wait(1);
  }
  Wait(0.5);
  m_window.reset();
  kill(recorder.pid, SIGTERM);
  recording.Join();

  const std::vector<int16_t>& rec = recording.m_samples;
  ASSERT_GT(rec.size(), std::size_t(60 * kRate));
  const auto sampleAt = [&](double t) { return recording.SampleAt(t); };
  const double start = sound.log.front().at;
  const QString keep = qEnvironmentVariable("FARTOVIK_KEEP_RECORDING");
  if (!keep.isEmpty()) {
    QFile out(keep);
    if (out.open(QIODevice::WriteOnly)) out.write(reinterpret_cast<const char*>(rec.data()), qsizetype(rec.size()) * 2);
    // What was asked for where in the recording, to read it against the recording.
    QFile requests(keep + u".requests"_s);
    if (requests.open(QIODevice::WriteOnly))
      for (const Request& r : sound.log)
        requests.write(QStringLiteral("%1 %2 %3\n")
                           .arg(double(sampleAt(r.at)) / kRate, 0, 'f', 3)
                           .arg(r.what, r.cue ? CueName(*r.cue) : QString())
                           .toUtf8());
  }

  // Every sting asked for while sound was on, at its moment: at once, or at the end
  // of the sting it waits for as heard.
  struct Tally {
    int asked = 0, heard = 0;
    std::vector<double> latencies;
  };
  std::map<QString, Tally> table;
  std::map<Cue, double> lastHeardEnd;
  bool muted = false;
  for (auto it = sound.log.begin(); it != sound.log.end(); ++it) {
    const Request& r = *it;
    if (r.what == u"mute"_s || r.what == u"unmute"_s) muted = r.what == u"mute"_s;
    const bool waits = r.cue && CueMayWait(*r.cue);
    if (muted || !r.cue || (r.what != u"sting"_s && !(r.what == u"murmur"_s && waits))) continue;
    const Cue cue = *r.cue;
    double due = r.at;
    for (const auto& [sounding, end] : lastHeardEnd)
      if (CueWaitsFor(cue, sounding)) due = std::max(due, end);
    // Voices sent away before their turn came are rightly never heard.
    const auto stop = std::find_if(it + 1, sound.log.end(), [](const Request& next) {
      return next.what == u"murmur"_s || next.what == u"stop murmur"_s;
    });
    if (r.what == u"murmur"_s && stop != sound.log.end() && stop->at < due) continue;
    // Nor is a sting that waited into a mute, which drops it; one the mute cuts short
    // is whole up to the key.
    const auto nextMute =
        std::find_if(it + 1, sound.log.end(), [](const Request& next) { return next.what == u"mute"_s; });
    if (nextMute != sound.log.end() && nextMute->at < due) continue;
    const std::vector<float>& clip = m_clips[std::size_t(cue)];
    const Heard heard = Find(rec, clip, sampleAt(due));
    Tally& tally = table[CueName(cue)];
    ++tally.asked;
    SCOPED_TRACE(CueName(cue).toStdString() + " due at " + std::to_string(due - start) + " s");
    EXPECT_TRUE(heard.heard) << "best correlation " << heard.score;
    if (!heard.heard) continue;
    ++tally.heard;
    tally.latencies.push_back(heard.latency);
    // A sting that waited for another is due at that one's end, long after the call.
    const double heldUp = due > r.at ? 0 : std::max(0.0, r.handed - r.at - kCallBound);
    EXPECT_LE(heard.latency, kLatencyBound + heldUp) << "the call took " << (r.handed - r.at) * 1000 << " ms";
    if (heard.latency > kLatencyBound)
      std::printf("late: %s due at %.3f s, heard %.1f ms after; the game's thread was held up %.1f ms in the call\n",
                  qPrintable(CueName(cue)), due - start, heard.latency * 1000, heldUp * 1000);
    EXPECT_GE(heard.latency, -0.005) << "heard before it was due: another sting sounds over it";
    const double heardAt = due + heard.latency;
    lastHeardEnd[cue] = heardAt + double(clip.size()) / kRate;
    if (!CueLoops(cue)) {
      const qsizetype unmuted =
          nextMute == sound.log.end() ? qsizetype(clip.size()) : sampleAt(nextMute->at) - sampleAt(heardAt);
      EXPECT_LT(LongestSilenceWhileSounding(rec, clip, sampleAt(heardAt), unmuted), kRate / 1000) << "a dropout";
    }
  }

  // Mute: digital silence from 50 ms after the key until the unmute.
  ASSERT_FALSE(mutes.empty());
  for (const auto& [from, to] : mutes) {
    const qsizetype silentFrom = sampleAt(from + kMuteBound);
    const qsizetype until = sampleAt(to);
    const auto loud = std::find_if(rec.begin() + silentFrom, rec.begin() + until, [](int16_t s) { return s != 0; });
    EXPECT_EQ(loud, rec.begin() + until) << "sound " << double(loud - rec.begin() - silentFrom) / kRate
                                         << " s after the mute took hold";
  }

  // The music under the questions never breaks up: no stretch of 2 ms of digital
  // silence between the first question's bed and the million, but while muted.
  double bedFrom = 0, bedTo = 0;
  for (const Request& r : sound.log) {
    if (r.what == u"bed"_s && r.cue == Cue::BedStage1 && bedFrom == 0) bedFrom = r.at + 0.1;
    if (r.what == u"sting"_s && r.cue == Cue::Million && bedTo == 0) bedTo = r.at;
  }
  ASSERT_LT(bedFrom, bedTo);
  qsizetype run = 0, longest = 0;
  for (qsizetype i = sampleAt(bedFrom); i < sampleAt(bedTo); ++i) {
    const double t = recording.TimeOf(i);
    const bool inMute =
        std::any_of(mutes.begin(), mutes.end(), [t](const auto& m) { return t >= m.first && t <= m.second + 0.1; });
    run = rec[std::size_t(i)] == 0 && !inMute ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  EXPECT_LT(longest, 2 * kRate / 1000) << "the bed broke up";

  // What the server itself saw: a stream running dry is logged once on the first
  // request, before any sample has come, and then on every real underrun.
  int underruns = 0;
  QFile serverLog(runtime + u"/server.log"_s);
  if (serverLog.open(QIODevice::ReadOnly))
    for (const QByteArray& line : serverLog.readAll().split('\n'))
      underruns += line.contains("Implicit underrun") || line.contains("Underrun on") ? 1 : 0;
  if (!keep.isEmpty()) serverLog.copy(keep + u".server.log"_s);
  std::printf("underruns the server logged: %d\n", underruns);
  std::printf("%d questions; cue, asked, heard, latency median / max in ms\n", questions);
  for (auto& [name, tally] : table) {
    std::sort(tally.latencies.begin(), tally.latencies.end());
    const double median = tally.latencies.empty() ? 0 : tally.latencies[tally.latencies.size() / 2];
    const double most = tally.latencies.empty() ? 0 : tally.latencies.back();
    std::printf("%-16s %4d %4d %7.1f %7.1f\n", qPrintable(name), tally.asked, tally.heard, median * 1000, most * 1000);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The game's sound goes to the private server alone, whatever the machine has.
  for (const char* name : {"PULSE_SERVER", "PULSE_SINK", "PIPEWIRE_REMOTE"}) unsetenv(name);
  setenv("PULSE_CLIENTCONFIG", "/dev/null", 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const char* const needed = qEnvironmentVariable("FARTOVIK_SOUND_SERVER") == u"pipewire"_s
                                 ? "command -v pipewire && command -v wireplumber && command -v pipewire-pulse && "
                                   "command -v pactl && command -v parec"
                                 : "command -v pulseaudio && command -v parec";
  if (system(("{ " + std::string(needed) + "; } >/dev/null").c_str()) != 0) {
    std::fprintf(stderr, "the sound server or its tools are missing\n");
    return 77;
  }
  QTemporaryDir runtime;
  setenv("XDG_RUNTIME_DIR", qPrintable(runtime.path()), 1);
  setenv("HOME", qPrintable(runtime.path()), 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
  if (failed == 0 && run.skipped_test_count() > 0 && run.successful_test_count() == 0) return 77;
  return failed;
}
