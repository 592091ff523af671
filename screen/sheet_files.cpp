#include "screen/sheet_files.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

using namespace Qt::StringLiterals;

QString SheetResource(int element) {
  // Indexed by element 0 … 50; an empty entry means the element has no sheet.
  static const char16_t* const kFiles[] = {
      u"background",   u"question",    u"answer_a",     u"answer_b",     u"answer_c",
      u"answer_d",     u"close",       u"menu",         u"title",        u"fifty",
      u"phone",        u"audience",    u"ladder_01",    u"ladder_02",    u"ladder_03",
      u"ladder_04",    u"ladder_05",   u"ladder_06",    u"ladder_07",    u"ladder_08",
      u"ladder_09",    u"ladder_10",   u"ladder_11",    u"ladder_12",    u"ladder_13",
      u"ladder_14",    u"ladder_15",   u"phone_panel",  u"poll_panel",   u"poll_bar",
      u"",             u"",            u"",             u"clock_dim",    u"clock_bright",
      u"minimise",     u"leaderboard", u"scroll_track", u"scroll_up",    u"scroll_down",
      u"scroll_thumb", u"victory",     u"confirm_done", u"loss",         u"confirm_loss",
      u"take_money",   u"hide_table",  u"clear_table",  u"timeout",      u"confirm_timeout",
      u"leaderboard_header",
  };
  constexpr int kCount = static_cast<int>(sizeof(kFiles) / sizeof(kFiles[0]));
  static_assert(kCount == 51, "one entry per element in use");
  if (element < 0 || element >= kCount || kFiles[element][0] == u'\0') return {};
  return u":/art/"_s + QString::fromUtf16(kFiles[element]) + u".bmp"_s;
}

QImage LoadSheet(int element) {
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

QImage LoadSharpSheet(int element, qreal scale) {
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
