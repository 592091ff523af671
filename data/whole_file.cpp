#include "data/whole_file.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  const auto fail = [&] {
    if (error) *error = file.errorString();
    file.cancelWriting();
    file.commit();  // with the writing cancelled this only drops the temporary file
    return false;
  };
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  // write() may only fill the device's buffer; the real write happens on flush, and
  // the commit would rename a cut file into place without looking at its result.
  if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) return fail();
#ifdef Q_OS_UNIX
  // Some file systems report a full disk only when the data go to the disk.
  if (::fsync(file.handle()) != 0) {
    const QString reason = qt_error_string(errno);
    fail();
    if (error) *error = reason;
    return false;
  }
#endif
  if (!file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}
