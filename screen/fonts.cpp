#include "screen/fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

struct Families {
  QString sans = u"Liberation Sans"_s;
  QString serif = u"Liberation Serif"_s;
  QString comic = u"Comic Neue"_s;
};

const Families& BundledFamilies() {
  static const Families families = [] {
    Families f;
    const auto add = [](const QString& path, QString* family) {
      const int id = QFontDatabase::addApplicationFont(path);
      if (id < 0) return;
      const QStringList names = QFontDatabase::applicationFontFamilies(id);
      if (family && !names.isEmpty()) *family = names.first();
    };
    add(u":/art/fonts/LiberationSans-Regular.ttf"_s, &f.sans);
    add(u":/art/fonts/LiberationSans-Bold.ttf"_s, nullptr);
    add(u":/art/fonts/LiberationSans-Italic.ttf"_s, nullptr);
    add(u":/art/fonts/LiberationSans-BoldItalic.ttf"_s, nullptr);
    add(u":/art/fonts/LiberationSerif-Regular.ttf"_s, &f.serif);
    add(u":/art/fonts/ComicNeue-Regular.otf"_s, &f.comic);
    return f;
  }();
  return families;
}

const QString& FamilyFor(const QString& face) {
  const Families& f = BundledFamilies();
  if (face.compare(u"Times New Roman"_s, Qt::CaseInsensitive) == 0) return f.serif;
  if (face.compare(u"Comic Sans MS"_s, Qt::CaseInsensitive) == 0) return f.comic;
  // "Arial Cyr", "Arial", "MS Sans Serif" and anything unknown.
  return f.sans;
}

}  // namespace

void RegisterBundledFonts() { BundledFamilies(); }

int CaptionPixelSize(qreal points) { return std::max(1, int(std::lround(points * 96.0 / 72.0))); }

QFont ToQFont(const CaptionFont& font) {
  QFont f(FamilyFor(font.face));
  f.setPixelSize(CaptionPixelSize(font.size));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeout);
  // Unhinted advances: line breaks then do not depend on the machine's hinting setup.
  f.setHintingPreference(QFont::PreferVerticalHinting);
  f.setKerning(true);
  return f;
}

int CaptionTextFlags(CaptionAlign alignment) {
  const int horizontal = alignment == CaptionAlign::Centre  ? Qt::AlignHCenter
                         : alignment == CaptionAlign::Right ? Qt::AlignRight
                                                            : Qt::AlignLeft;
  return Qt::TextWordWrap | Qt::AlignTop | horizontal;
}

QString CaptionLayoutText(const QString& text) {
  if (!text.contains(u'\r')) return text;
  QString out = text;
  out.replace(u"\r\n"_s, u"\n"_s);
  out.replace(u'\r', u'\n');
  return out;
}
