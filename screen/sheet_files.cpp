#include "screen/sheet_files.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

#include "screen/element_table.h"

using namespace Qt::StringLiterals;

QString SheetResource(ElementId element) {
  const char16_t* file = SpecOf(element).sheet;
  if (file[0] == u'\0') return {};
  return u":/art/"_s + QString::fromUtf16(file) + u".bmp"_s;
}

QImage LoadSheet(ElementId element) {
  const QString path = SheetResource(element);
  if (path.isEmpty()) return {};
  return QImage(path, "BMP");
}

QString SharpSheetName(const QString& sheetFile, int scale) {
  const qsizetype dot = sheetFile.lastIndexOf(u'.');
  if (dot < 0) return sheetFile + u"@%1x"_s.arg(scale);
  return sheetFile.left(dot) + u"@%1x"_s.arg(scale) + sheetFile.mid(dot);
}

QByteArray SheetFingerprint(const QByteArray& bytes) {
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
  QFile plain(path);
  if (!plain.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = plain.readAll();
  if (SheetFingerprint(bytes) != *listed) return {};
  const QImage base = QImage::fromData(bytes, "BMP");
  QImage sharp(sharpPath, "BMP");
  if (sharp.isNull() || sharp.size() != base.size() * 2) return {};
  // The reader takes "@2x" in the name for a pixel ratio of 2, and the painter would
  // then draw the sheet at half size; the painter code keeps the scale itself.
  sharp.setDevicePixelRatio(1.0);
  return sharp;
}
