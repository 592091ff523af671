#include "screen/sheet_files.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QResource>
#include <QtEndian>

#include <optional>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "screen/element_table.h"

using namespace Qt::StringLiterals;

namespace {

/// The bytes of a resource carried uncompressed, read where the program keeps them;
/// empty for one that is compressed or missing.
QByteArrayView StoredBytes(const QString& path) {
  const QResource resource(path);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return {};
  return QByteArrayView(reinterpret_cast<const char*>(resource.data()), resource.size());
}

/// The pixel rows of an uncompressed 24-bit bitmap, the only kind the art is drawn in.
struct PlainBitmap {
  QSize size;
  const uchar* pixels = nullptr;  ///< the first stored row, the picture's bottom one
  qsizetype stride = 0;
};

std::optional<PlainBitmap> ReadPlainBitmap(QByteArrayView bytes) {
  constexpr qsizetype kHeaders = 14 + 40;
  if (bytes.size() < kHeaders || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  const auto* data = reinterpret_cast<const uchar*>(bytes.data());
  const quint32 offset = qFromLittleEndian<quint32>(data + 10);
  const quint32 infoSize = qFromLittleEndian<quint32>(data + 14);
  const qint32 width = qFromLittleEndian<qint32>(data + 18);
  const qint32 height = qFromLittleEndian<qint32>(data + 22);
  if (infoSize < 40 || qFromLittleEndian<quint16>(data + 26) != 1 || qFromLittleEndian<quint16>(data + 28) != 24 ||
      qFromLittleEndian<quint32>(data + 30) != 0)
    return std::nullopt;
  // Sizes a sheet can have, stored bottom row first as the art is; anything else
  // goes to the general reader, which judges it.
  if (width <= 0 || width > 32768 || height <= 0 || height > 32768) return std::nullopt;
  PlainBitmap bitmap;
  bitmap.size = QSize(width, height);
  bitmap.stride = (qsizetype(width) * 3 + 3) / 4 * 4;
  if (offset < kHeaders || qsizetype(offset) + bitmap.stride * bitmap.size.height() > bytes.size()) return std::nullopt;
  bitmap.pixels = data + offset;
  return bitmap;
}

/// Tells the system that the stored bytes are not needed in memory any more: they
/// are read once, and would otherwise stay counted against the game until memory
/// runs short. They come back from the program file if read again. Only bytes that
/// lie in a loaded program file are let go: memory of the heap would be lost.
void LetGoOfStoredBytes(QByteArrayView bytes) {
#ifdef Q_OS_LINUX
  Dl_info where;
  if (bytes.isEmpty() || dladdr(bytes.data(), &where) == 0) return;
  const auto page = quintptr(sysconf(_SC_PAGESIZE));
  const auto begin = (quintptr(bytes.data()) + page - 1) & ~(page - 1);
  const auto end = (quintptr(bytes.data()) + quintptr(bytes.size())) & ~(page - 1);
  // The advice works on whole pages, so the address is rounded as a number.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
#else
  Q_UNUSED(bytes);
#endif
}

/// The sheet stored at `path`: read where the program keeps it when it is stored
/// uncompressed, let go of once unpacked.
QImage ReadSheet(const QString& path) {
  const QByteArrayView stored = StoredBytes(path);
  if (stored.isEmpty()) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return DecodeSheet(file.readAll());
  }
  QImage sheet = DecodeSheet(stored);
  LetGoOfStoredBytes(stored);
  return sheet;
}

}  // namespace

QImage DecodeSheet(QByteArrayView bytes) {
  const std::optional<PlainBitmap> bitmap = ReadPlainBitmap(bytes);
  if (!bitmap) {
    const QImage read = QImage::fromData(bytes, "BMP");
    return read.isNull() || read.format() == QImage::Format_RGB32 ? read : read.convertToFormat(QImage::Format_RGB32);
  }
  QImage sheet(bitmap->size, QImage::Format_RGB32);
  if (sheet.isNull()) return sheet;
  const int width = bitmap->size.width(), height = bitmap->size.height();
  for (int y = 0; y < height; ++y) {
    const uchar* from = bitmap->pixels + bitmap->stride * (height - 1 - y);
    auto* to = reinterpret_cast<QRgb*>(sheet.scanLine(y));
    for (int x = 0; x < width; ++x, from += 3) to[x] = qRgb(from[2], from[1], from[0]);
  }
  return sheet;
}

QString SheetResource(ElementId element) {
  const char16_t* file = SpecOf(element).sheet;
  if (file[0] == u'\0') return {};
  return u":/art/"_s + QString::fromUtf16(file) + u".bmp"_s;
}

QImage LoadSheet(ElementId element) {
  const QString path = SheetResource(element);
  if (path.isEmpty()) return {};
  return ReadSheet(path);
}

QString SharpSheetName(const QString& sheetFile, int scale) {
  const qsizetype dot = sheetFile.lastIndexOf(u'.');
  if (dot < 0) return sheetFile + u"@%1x"_s.arg(scale);
  return sheetFile.left(dot) + u"@%1x"_s.arg(scale) + sheetFile.mid(dot);
}

QByteArray SheetFingerprint(QByteArrayView bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

namespace {

/// "sharp_sheets.txt": one line per sharper sheet, "name@2x.bmp fingerprint-of-name.bmp".
const QHash<QString, QByteArray>& SharpSheetList() {
  static const QHash<QString, QByteArray> list = [] {
    QHash<QString, QByteArray> result;
    QFile file(u":/art/sharp_sheets.txt"_s);
    if (!file.open(QIODevice::ReadOnly)) return result;
    while (!file.atEnd()) {
      const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
      if (fields.size() == 2) result.insert(QString::fromUtf8(fields[0]), fields[1]);
    }
    return result;
  }();
  return list;
}

}  // namespace

QImage LoadSharpSheet(ElementId element, qreal scale) {
  const QString path = SheetResource(element);
  if (path.isEmpty() || scale != 2.0) return {};
  const QString sharpPath = SharpSheetName(path);
  const QString sharpName = sharpPath.mid(sharpPath.lastIndexOf(u'/') + 1);
  const auto listed = SharpSheetList().constFind(sharpName);
  if (listed == SharpSheetList().constEnd()) return {};
  QByteArray copied;
  QByteArrayView bytes = StoredBytes(path);
  if (bytes.isEmpty()) {
    QFile plain(path);
    if (!plain.open(QIODevice::ReadOnly)) return {};
    copied = plain.readAll();
    bytes = copied;
  }
  if (SheetFingerprint(bytes) != *listed) return {};
  const std::optional<PlainBitmap> header = ReadPlainBitmap(bytes);
  const QSize baseSize = header ? header->size : QImage::fromData(bytes, "BMP").size();
  LetGoOfStoredBytes(bytes);
  QImage sharp = ReadSheet(sharpPath);
  if (sharp.isNull() || sharp.size() != baseSize * 2) return {};
  // The reader takes "@2x" in the name for a pixel ratio of 2, and the painter would
  // then draw the sheet at half size; the painter code keeps the scale itself.
  sharp.setDevicePixelRatio(1.0);
  return sharp;
}
