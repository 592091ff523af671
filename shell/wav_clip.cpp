// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/wav_clip.h"

#include <QtEndian>

#include "shell/sound_mixer.h"

std::vector<float> ClipFromWav(const QByteArray& file) {
  const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
  const qsizetype size = file.size();
  if (size < 12 || file.left(4) != "RIFF" || file.mid(8, 4) != "WAVE") return {};
  bool formatFits = false;
  // Chunks may come in any order and a writer may add its own; each is padded to
  // an even length.
  for (qsizetype at = 12; at + 8 <= size;) {
    const QByteArray id = file.mid(at, 4);
    const qsizetype length = qFromLittleEndian<quint32>(bytes + at + 4);
    const qsizetype body = at + 8;
    if (length > size - body) return {};
    if (id == "fmt ") {
      if (length < 16) return {};
      const int format = qFromLittleEndian<quint16>(bytes + body);
      const int channels = qFromLittleEndian<quint16>(bytes + body + 2);
      const quint32 rate = qFromLittleEndian<quint32>(bytes + body + 4);
      const int bits = qFromLittleEndian<quint16>(bytes + body + 14);
      formatFits = format == 1 && channels == 1 && rate == quint32(SoundMixer::kRate) && bits == 16;
    } else if (id == "data") {
      if (!formatFits) return {};
      std::vector<float> samples(std::size_t(length / 2));
      for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(qFromLittleEndian<qint16>(bytes + body + 2 * qsizetype(i))) / 32768.0f;
      return samples;
    }
    at = body + length + (length & 1);
  }
  return {};
}
