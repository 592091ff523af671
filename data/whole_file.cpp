#include "data/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "data/ordinary_file.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#endif

using namespace Qt::StringLiterals;

namespace {

QString LeftoverPrefix(const QString& fileName) { return u"."_s + fileName + u".fartovik-save-"_s; }

}  // namespace

bool IsWholeFileLeftover(const QString& entryName, const QString& fileName) {
  static const QRegularExpression suffix(QRegularExpression::anchoredPattern(u"[A-Za-z0-9]{6}"_s));
  const QString prefix = LeftoverPrefix(fileName);
  return entryName.startsWith(prefix) && suffix.match(entryName.mid(prefix.size())).hasMatch();
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
  const auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  QString target = path;
  switch (ExaminePlace(path)) {
    case FilePlace::Free: break;
    case FilePlace::OwnFile:
      // A link of the player's own (a board kept in a synced folder) is followed;
      // the file it leads to is replaced, the link stays.
      target = QFileInfo(path).canonicalFilePath();
      if (target.isEmpty()) return fail(u"файл исчез, пока его записывали"_s);
      break;
    case FilePlace::ForeignLink: return fail(u"это ссылка, которую сделал другой пользователь"_s);
    case FilePlace::DanglingLink: return fail(u"это ссылка, которая ведёт в никуда"_s);
    case FilePlace::NotAFile: return fail(u"это не обычный файл"_s);
  }

  const QFileInfo targetInfo(target);
  QTemporaryFile temporary(targetInfo.absoluteDir().filePath(LeftoverPrefix(targetInfo.fileName()) + u"XXXXXX"_s));
  if (!temporary.open()) return fail(temporary.errorString());
  // write() may only fill the device's buffer; the real write happens on flush, and
  // a rename without looking at its result would put a cut file in place.
  if (temporary.write(bytes) != bytes.size() || !temporary.flush() || temporary.error() != QFileDevice::NoError)
    return fail(temporary.errorString());
#ifdef Q_OS_UNIX
  // The new file keeps the old one's permissions; a new one gets what the player's
  // umask gives, as any file the player makes.
  struct stat old {};
  mode_t mode;
  if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(temporary.handle(), mode) != 0) return fail(qt_error_string(errno));
  // Some file systems report a full disk only when the data go to the disk.
  if (::fsync(temporary.handle()) != 0) return fail(qt_error_string(errno));
  temporary.close();
  if (::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
    return fail(qt_error_string(errno));
  temporary.setAutoRemove(false);
  return true;
#else
  temporary.close();
  QFile::remove(target);
  if (!temporary.rename(target)) return fail(temporary.errorString());
  temporary.setAutoRemove(false);
  return true;
#endif
}
