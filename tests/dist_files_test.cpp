// What an installed game shows the desktop: one application id on the desktop
// file, the metainfo and the icons, and the version the program prints.

#include <gtest/gtest.h>

#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QSettings>

#include "screen/game_version.h"

using namespace Qt::StringLiterals;

namespace {

const QString kId = QStringLiteral(FARTOVIK_APP_ID);
const QString kDist = QStringLiteral(FARTOVIK_SOURCE_DIR "/dist/");

QString Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of `key` in the desktop file's main group, untranslated.
QString DesktopValue(const QString& text, const QString& key) {
  for (const QString& line : text.split(u'\n')) {
    if (line.startsWith(key + u'=')) return line.mid(key.size() + 1);
  }
  return {};
}

}  // namespace

TEST(DistFiles, TheDesktopFileCarriesTheIdAndTheGamesName) {
  const QString desktop = Read(kDist + kId + u".desktop"_s);
  ASSERT_FALSE(desktop.isEmpty()) << "dist/" << kId.toStdString() << ".desktop";
  EXPECT_TRUE(kId.count(u'.') >= 2 && kId == kId.toLower()) << "a lower-case reverse-DNS id";
  EXPECT_EQ(DesktopValue(desktop, u"Icon"_s), kId);
  EXPECT_EQ(DesktopValue(desktop, u"Name"_s), u"О, фартовик!"_s);
  EXPECT_EQ(DesktopValue(desktop, u"Exec"_s), u"fartovik"_s);
  EXPECT_EQ(DesktopValue(desktop, u"Categories"_s), u"Game;LogicGame;"_s);
  EXPECT_TRUE(DesktopValue(desktop, u"Keywords"_s).contains(u"викторина"_s));
  EXPECT_TRUE(DesktopValue(desktop, u"Keywords[en]"_s).contains(u"quiz"_s));
}

TEST(DistFiles, TheMetainfoNamesTheSameIdLaunchableAndRelease) {
  QDomDocument doc;
  ASSERT_TRUE(doc.setContent(Read(kDist + kId + u".metainfo.xml"_s)));
  const QDomElement component = doc.documentElement();
  EXPECT_EQ(component.firstChildElement(u"id"_s).text(), kId);
  EXPECT_EQ(component.firstChildElement(u"launchable"_s).text(), kId + u".desktop"_s);
  EXPECT_EQ(component.firstChildElement(u"project_license"_s).text().section(u' ', 0, 0), u"GPL-3.0-or-later"_s);
  EXPECT_FALSE(component.firstChildElement(u"content_rating"_s).isNull());
  const QDomElement release = component.firstChildElement(u"releases"_s).firstChildElement(u"release"_s);
  EXPECT_EQ(release.attribute(u"version"_s), GameVersion());
  QStringList binaries;
  for (QDomElement b = component.firstChildElement(u"provides"_s).firstChildElement(u"binary"_s); !b.isNull();
       b = b.nextSiblingElement(u"binary"_s))
    binaries.append(b.text());
  EXPECT_EQ(binaries, QStringList({u"fartovik"_s, u"fartovik-bases"_s}));
}

TEST(DistFiles, EveryIconSizeIsDrawnAndTheScalableOneIsAnSvg) {
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QImage icon(QStringLiteral(FARTOVIK_SOURCE_DIR "/art/icon_%1.png").arg(size));
    EXPECT_EQ(icon.size(), QSize(size, size)) << size;
  }
  QDomDocument svg;
  ASSERT_TRUE(svg.setContent(Read(QStringLiteral(FARTOVIK_SOURCE_DIR "/art/icon.svg"))));
  EXPECT_EQ(svg.documentElement().tagName(), u"svg"_s);
  EXPECT_EQ(svg.documentElement().attribute(u"viewBox"_s), u"0 0 256 256"_s);
  EXPECT_GE(svg.documentElement().elementsByTagName(u"path"_s).size(), 4);
}
