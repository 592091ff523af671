// The sheets' own unpacking must give what the general image reader gives, for the
// art as it is and for any bytes a sheet file may hold instead.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include "screen/element_table.h"
#include "screen/sheet_files.h"

namespace {

/// A picture whose every pixel differs from its neighbours, so that a row or a
/// channel out of place shows.
QImage Pattern(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 37 + y, y * 53 + x * 3, (x ^ y) * 11));
  return image;
}

QByteArray AsBitmap(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

QImage GeneralReader(const QByteArray& bytes) {
  const QImage read = QImage::fromData(bytes, "BMP");
  return read.isNull() ? read : read.convertToFormat(QImage::Format_RGB32);
}

TEST(SheetDecoding, GivesWhatTheGeneralReaderGives) {
  const QByteArray fiveWide = AsBitmap(Pattern(5, 3));  // rows padded by one byte
  QByteArray topDown = fiveWide;
  qToLittleEndian<qint32>(-3, topDown.data() + 22);
  QByteArray cut = AsBitmap(Pattern(8, 8));
  cut.chop(10);
  QByteArray thirtyTwoBits = AsBitmap(Pattern(4, 4).convertToFormat(QImage::Format_ARGB32));
  QByteArray offsetPastEnd = fiveWide;
  qToLittleEndian<quint32>(quint32(fiveWide.size()), offsetPastEnd.data() + 10);
  QByteArray hugeWidth = fiveWide;
  qToLittleEndian<qint32>(1 << 30, hugeWidth.data() + 18);
  // Bytes that hold no whole picture may still give an image from the general
  // reader, whose missing rows are undefined: only its size can be compared.
  const struct {
    const char* name;
    QByteArray bytes;
    bool whole;
  } cases[] = {
      {"four wide, no padding", AsBitmap(Pattern(4, 2)), true},
      {"five wide, padded rows", fiveWide, true},
      {"one pixel", AsBitmap(Pattern(1, 1)), true},
      {"stored top row first", topDown, true},
      {"32 bits per pixel", thirtyTwoBits, true},
      {"cut short", cut, false},
      {"pixels said to start past the end", offsetPastEnd, false},
      {"a width beyond any sheet", hugeWidth, false},
      {"only a header", fiveWide.left(54), false},
      {"not a bitmap", QByteArray("BM plainly no bitmap at all, just words"), false},
      {"empty", QByteArray(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage expected = GeneralReader(c.bytes);
    const QImage decoded = DecodeSheet(c.bytes);
    EXPECT_EQ(decoded.isNull(), expected.isNull());
    EXPECT_EQ(decoded.size(), expected.size());
    if (!expected.isNull()) {
      EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    }
    if (c.whole) {
      EXPECT_EQ(decoded, expected);
    }
  }
  // The pattern itself comes back, not only what the reader makes of it.
  EXPECT_EQ(DecodeSheet(fiveWide), Pattern(5, 3));
}

TEST(SheetDecoding, EverySheetOfTheArtLoadsAsTheGeneralReaderReadsIt) {
  for (const ElementId element : AllElements()) {
    const QString path = SheetResource(element);
    if (path.isEmpty()) continue;
    SCOPED_TRACE(path.toStdString());
    const QImage loaded = LoadSheet(element);
    EXPECT_EQ(loaded, QImage(path, "BMP").convertToFormat(QImage::Format_RGB32));
    // Read twice: the stored bytes are still there after the first read let them go.
    EXPECT_EQ(LoadSheet(element), loaded);
    QImage sharp = LoadSharpSheet(element);
    QImage general(SharpSheetName(path), "BMP");
    general.setDevicePixelRatio(1.0);
    EXPECT_EQ(sharp, general.convertToFormat(QImage::Format_RGB32));
  }
}

}  // namespace
