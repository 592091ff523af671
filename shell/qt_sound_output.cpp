// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_sound_output.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QtGlobal>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kFadeTickMs = 30;
constexpr int kBedCrossFadeMs = 1500;
constexpr int kBedFadeOutMs = 700;
constexpr int kMurmurFadeMs = 300;

// The files share one loudness; the music sits under the stings and the voices
// between them, as on a broadcast.
float BaseVolume(Cue cue) {
  if (cue <= Cue::BedStage3) return 0.45f;
  if (cue <= Cue::AudienceMurmur) return 0.6f;
  return 0.9f;
}

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

}  // namespace

QtSoundOutput::QtSoundOutput(QObject* parent) : QObject(parent) {
  m_fade.setInterval(kFadeTickMs);
  connect(&m_fade, &QTimer::timeout, this, [this] { FadeStep(); });
  const QAudioDevice device = FindOutput();
  // Nowhere to play: no player is made, so nothing tries and complains.
  if (device.isNull()) return;
  m_audible = true;
  for (int i = 0; i < kCueCount; ++i) {
    const Cue cue = Cue(i);
    auto* effect = new QSoundEffect(device, this);
    effect->setSource(QUrl(QStringLiteral("qrc:/sounds/") + CueName(cue) + QStringLiteral(".wav")));
    if (CueLoops(cue)) {
      effect->setLoopCount(QSoundEffect::Infinite);
      effect->setVolume(0);
      m_loops[i].effect = effect;
    } else {
      effect->setVolume(BaseVolume(cue));
      m_stings[i] = effect;
    }
  }
}

QtSoundOutput::~QtSoundOutput() = default;

void QtSoundOutput::Play(Cue sting) {
  QSoundEffect* effect = m_stings[int(sting)];
  if (effect == nullptr) return;
  // A sting asked again while it sounds (the clock's tick) starts over.
  if (effect->isPlaying()) effect->stop();
  effect->play();
}

void QtSoundOutput::StartBed(Cue bed) { FadeLoops(Cue::Theme, Cue::BedStage3, &bed, kBedCrossFadeMs); }

void QtSoundOutput::StopBed() { FadeLoops(Cue::Theme, Cue::BedStage3, nullptr, kBedFadeOutMs); }

void QtSoundOutput::StartMurmur(Cue murmur) {
  FadeLoops(Cue::PhoneMurmur, Cue::AudienceMurmur, &murmur, kMurmurFadeMs);
}

void QtSoundOutput::StopMurmur() { FadeLoops(Cue::PhoneMurmur, Cue::AudienceMurmur, nullptr, kMurmurFadeMs); }

void QtSoundOutput::FadeLoops(Cue first, Cue last, const Cue* keep, int fadeMs) {
  if (!m_audible) return;
  const float step = float(kFadeTickMs) / float(fadeMs);
  for (int i = int(first); i <= int(last); ++i) {
    Loop& loop = m_loops[i];
    if (loop.effect == nullptr) continue;
    const bool kept = keep != nullptr && int(*keep) == i;
    loop.target = kept ? 1.0f : 0.0f;
    loop.step = step;
    // A loop coming back while it still fades out goes on from where it is.
    if (kept && !loop.started) {
      loop.level = 0;
      loop.effect->setVolume(0);
      loop.effect->play();
      loop.started = true;
    }
  }
  if (!m_fade.isActive()) m_fade.start();
}

void QtSoundOutput::FadeStep() {
  bool moving = false;
  for (int i = 0; i < kCueCount; ++i) {
    Loop& loop = m_loops[i];
    if (loop.effect == nullptr) continue;
    if (loop.level != loop.target) {
      loop.level = loop.level < loop.target ? std::min(loop.target, loop.level + loop.step)
                                            : std::max(loop.target, loop.level - loop.step);
      // Equal power: two crossing loops keep their joint loudness through the fade.
      loop.effect->setVolume(BaseVolume(Cue(i)) * float(std::sin(loop.level * std::numbers::pi / 2)));
    }
    if (loop.started && loop.level == 0 && loop.target == 0) {
      loop.effect->stop();
      loop.started = false;
    }
    moving = moving || loop.level != loop.target;
  }
  if (!moving) m_fade.stop();
}
