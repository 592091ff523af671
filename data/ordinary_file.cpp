#include "data/ordinary_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

FilePlace ExaminePlace(const QString& path) {
#ifdef Q_OS_UNIX
  const QByteArray native = QFile::encodeName(path);
  struct stat link {};
  if (::lstat(native.constData(), &link) != 0) return FilePlace::Free;
  if (S_ISREG(link.st_mode)) return FilePlace::OwnFile;
  if (!S_ISLNK(link.st_mode)) return FilePlace::NotAFile;
  struct stat target {};
  if (::stat(native.constData(), &target) != 0) return FilePlace::DanglingLink;
  if (link.st_uid != ::geteuid()) return FilePlace::ForeignLink;
  return S_ISREG(target.st_mode) ? FilePlace::OwnFile : FilePlace::NotAFile;
#else
  const QFileInfo info(path);
  if (info.isSymLink())
    return info.exists() ? (info.isFile() ? FilePlace::OwnFile : FilePlace::NotAFile) : FilePlace::DanglingLink;
  if (!info.exists()) return FilePlace::Free;
  return info.isFile() ? FilePlace::OwnFile : FilePlace::NotAFile;
#endif
}

bool OpenOrdinaryFile(QFile& file, const QByteArray& nativePath) {
#ifdef Q_OS_UNIX
  const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  // Ordinary files ignore the flag, but reads should block as they usually do.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
#else
  const QString path = QFile::decodeName(nativePath);
  if (!QFileInfo(path).isFile()) return false;
  file.setFileName(path);
  return file.open(QIODevice::ReadOnly);
#endif
}

bool OpenOrdinaryFile(QFile& file, const QString& path) { return OpenOrdinaryFile(file, QFile::encodeName(path)); }
