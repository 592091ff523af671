#include "data/board_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "data/ordinary_file.h"

using namespace Qt::StringLiterals;

namespace {

// Longer than any save: a lock this young that names no process may still be
// getting its content.
constexpr qint64 kUnfinishedLockMs = 2000;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

BoardLock::BoardLock(const QString& path) : m_path(path + u".lock"_s), m_lock(m_path) {}

bool BoardLock::PlacesUsable() {
  for (const QString& path : QStringList{m_path, m_path + u".rmlock"_s}) {
    const FilePlace place = ExaminePlace(path);
    if (place == FilePlace::Free) continue;
    if (place != FilePlace::OwnFile) {
      m_problem = u"На месте файла блокировки лежит не файл (папка, канал или ссылка):\r\n"_s + Shown(path) +
                  u"\r\nИгра не трогает его. Удалите его, и таблица лидеров снова будет записываться."_s;
      return false;
    }
    QFile file;
    if (!OpenOrdinaryFile(file, path)) {
      m_problem = u"Файл блокировки не читается (нет доступа):\r\n"_s + Shown(path) +
                  u"\r\nУдалите его, и таблица лидеров снова будет записываться."_s;
      return false;
    }
  }
  return true;
}

void BoardLock::DropLockOfNoProcess() {
  QFile file;
  if (!OpenOrdinaryFile(file, m_path)) return;
  const QByteArray firstLine = file.read(64).split('\n').constFirst().trimmed();
  file.close();
  bool isNumber = false;
  const qint64 pid = firstLine.toLongLong(&isNumber);
  if (isNumber && pid > 0) return;
  const QDateTime modified = QFileInfo(m_path).lastModified();
  if (modified.isValid() && modified.msecsTo(QDateTime::currentDateTime()) < kUnfinishedLockMs) return;
  QFile::remove(m_path);
}

BoardLock::Outcome BoardLock::Take(int waitMs) {
  m_problem.clear();
  if (!PlacesUsable()) return Outcome::Broken;
  DropLockOfNoProcess();
  if (m_lock.tryLock(waitMs)) return Outcome::Taken;
  if (m_lock.error() != QLockFile::LockFailedError) {
    m_problem = u"Файл блокировки не удалось создать:\r\n"_s + Shown(m_path);
    return Outcome::Refused;
  }
  qint64 pid = 0;
  QString host, application;
  if (m_lock.getLockInfo(&pid, &host, &application) && pid > 0) {
    m_problem = u"Таблицу лидеров сейчас записывает другая игра (процесс "_s + QString::number(pid) +
                (host.isEmpty() ? QString() : u" на "_s + host) + u"):\r\n"_s + Shown(m_path);
  } else {
    m_problem = u"Таблицу лидеров держит файл блокировки, который не освобождается:\r\n"_s + Shown(m_path);
  }
  return Outcome::Busy;
}
