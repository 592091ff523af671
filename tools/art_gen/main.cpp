// fartovik-art: draws every sprite sheet of the game and its window icon.
//
//   fartovik-art [--out DIR] [--fonts DIR] [--preview DIR]
//
// Sheets are written as 24-bit BMP files (the game copies cells of them one to one),
// each also drawn at twice the size as "name@2x.bmp" for large windows, with
// "sharp_sheets.txt" naming the 1× file (by its MD5) that each one belongs to,
// the icon as PNG files with transparency at every size a desktop asks for, and as
// an SVG file drawn from the same shapes. --preview composes whole-window pictures
// from the written sheets, for looking at the art in place.

#include "art_kit.h"
#include "data/whole_file.h"
#include "icon.h"
#include "preview.h"
#include "screen/sheet_files.h"
#include "sheets.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QStringList>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTextStream err(stderr);

  QString outDir = QStringLiteral(FARTOVIK_ART_DIR);
  QString fontDir;
  QString previewDir;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args.at(i);
    const bool hasValue = i + 1 < args.size();
    if (a == u"--out"_s && hasValue) outDir = args.at(++i);
    else if (a == u"--fonts"_s && hasValue) fontDir = args.at(++i);
    else if (a == u"--preview"_s && hasValue) previewDir = args.at(++i);
    else {
      err << "usage: fartovik-art [--out DIR] [--fonts DIR] [--preview DIR]\n";
      return 2;
    }
  }
  if (fontDir.isEmpty()) fontDir = QStringLiteral(FARTOVIK_ART_DIR) + u"/fonts"_s;
  if (!art::LoadFonts(fontDir)) {
    err << "cannot load the bundled fonts from " << fontDir << '\n';
    return 1;
  }
  if (!QDir().mkpath(outDir)) {
    err << "cannot create " << outDir << '\n';
    return 1;
  }

  int failures = 0;
  QByteArray sharpList;
  QHash<int, QByteArray> plainFingerprints;  // element -> fingerprint of its 1× file as written
  for (const int scale : {1, 2}) {
    art::SetScale(scale);
    for (const art::ElementBox& box : art::Elements()) {
      const QString plain = art::SheetFile(box.index);
      if (plain.isEmpty()) continue;
      const QString file = scale == 1 ? plain : SharpSheetName(plain, scale);
      const QImage sheet = art::DrawSheet(box.index);
      const QSize expected(box.width * box.cols * scale, box.height * box.rows * scale);
      if (sheet.size() != expected) {
        err << file << ": drawn " << sheet.width() << 'x' << sheet.height() << ", expected " << expected.width() << 'x'
            << expected.height() << '\n';
        ++failures;
        continue;
      }
      // RGB888 is what makes the BMP writer store 24 bits per pixel.
      QByteArray bytes;
      QBuffer encoded(&bytes);
      if (!encoded.open(QIODevice::WriteOnly) || !sheet.convertToFormat(QImage::Format_RGB888).save(&encoded, "BMP") ||
          !WriteFileWhole(outDir + u'/' + file, bytes)) {
        err << "cannot write " << file << '\n';
        ++failures;
        continue;
      }
      if (scale == 1) {
        plainFingerprints.insert(box.index, SheetFingerprint(bytes));
      } else if (const auto fingerprint = plainFingerprints.constFind(box.index);
                 fingerprint != plainFingerprints.cend()) {
        // A 1× sheet that failed above was counted there; its sharper copy goes unlisted.
        sharpList += file.toUtf8() + ' ' + *fingerprint + '\n';
      }
    }
  }
  art::SetScale(1);
  if (!WriteFileWhole(outDir + u"/sharp_sheets.txt"_s, sharpList)) {
    err << "cannot write sharp_sheets.txt\n";
    ++failures;
  }
  for (const int size : art::kIconSizes) {
    const QString file = u"icon_%1.png"_s.arg(size);
    if (!art::DrawIcon(size).save(outDir + u'/' + file, "PNG")) {
      err << "cannot write " << file << '\n';
      ++failures;
    }
  }
  if (!WriteFileWhole(outDir + u"/icon.svg"_s, art::IconSvg())) {
    err << "cannot write icon.svg\n";
    ++failures;
  }
  if (!previewDir.isEmpty() && !art::WritePreviews(outDir, previewDir)) ++failures;
  return failures == 0 ? 0 : 1;
}
