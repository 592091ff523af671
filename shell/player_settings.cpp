// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/player_settings.h"

#include <QDir>
#include <QStandardPaths>

#include "data/ordinary_file.h"

using namespace Qt::StringLiterals;

namespace {

// The settings object reads its file, and takes its lock to write it, with plain
// blocking opens: a pipe in either place would hold the game before its window,
// and a folder as the lock would hold every write for ever.
const QString kAnswerTimeKey = u"play/answerTime"_s;

// Words, not numbers, in the file: a player who edits it reads what they choose.
struct AnswerTimeWord {
  AnswerTime time;
  QString word;
};
const AnswerTimeWord kAnswerTimeWords[] = {
    {AnswerTime::Normal, u"normal"_s},
    {AnswerTime::Doubled, u"doubled"_s},
    {AnswerTime::Unlimited, u"unlimited"_s},
};

bool SettingsPlaceUsable(const QString& file) {
  const QString lock = file + u".lock"_s;
  for (const QString& path : QStringList{file, lock, lock + u".rmlock"_s}) {
    const FilePlace place = ExaminePlace(path);
    if (place != FilePlace::Free && place != FilePlace::OwnFile) return false;
  }
  return true;
}

}  // namespace

QString PlayerSettingsPath() {
  // No organisation name: it would double the folder ("fartovik/fartovik").
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/fartovik/fartovik.ini"_s;
}

std::unique_ptr<QSettings> OpenPlayerSettings(const QString& file) {
  const QString path = file.isEmpty() ? PlayerSettingsPath() : file;
  if (SettingsPlaceUsable(path)) return std::make_unique<QSettings>(path, QSettings::IniFormat);
  // The choices then last for this run only: a path below the entry in the way
  // can neither be read nor made, and nothing waits on it.
  return std::make_unique<QSettings>(path + u"/unused.ini"_s, QSettings::IniFormat);
}

AnswerTime StoredAnswerTime(const QSettings& settings) {
  const QString stored = settings.value(kAnswerTimeKey).toString();
  for (const AnswerTimeWord& w : kAnswerTimeWords)
    if (w.word == stored) return w.time;
  return AnswerTime::Normal;
}

void StoreAnswerTime(QSettings& settings, AnswerTime time) {
  for (const AnswerTimeWord& w : kAnswerTimeWords)
    if (w.time == time) settings.setValue(kAnswerTimeKey, w.word);
}
