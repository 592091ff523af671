#pragma once

#include <QStringList>

#include "engine/sound_output.h"

/// Keeps the sounds as "sting reveal", "bed bed_stage1", "stop bed", "murmur …",
/// "stop murmur", "mute", "unmute".
class RecordingSoundOutput : public SoundOutput {
 public:
  void Play(Cue sting) override { log.append(QStringLiteral("sting ") + CueName(sting)); }
  void StartBed(Cue bed) override { log.append(QStringLiteral("bed ") + CueName(bed)); }
  void StopBed() override { log.append(QStringLiteral("stop bed")); }
  void StartMurmur(Cue murmur) override { log.append(QStringLiteral("murmur ") + CueName(murmur)); }
  void StopMurmur() override { log.append(QStringLiteral("stop murmur")); }
  void SetMuted(bool muted) override { log.append(muted ? QStringLiteral("mute") : QStringLiteral("unmute")); }
  QStringList log;
};
