#include <gtest/gtest.h>
#include <iconv.h>

#include <QString>

#include "data/cp1251.h"

using namespace Qt::StringLiterals;

namespace {

// The C library's own converter, as an independent reading of the code page.
// Returns U+FFFD where it refuses the byte.
char16_t IconvDecode(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1251");
  if (cd == iconv_t(-1)) return 0;  // NOLINT(performance-no-int-to-ptr): iconv says failure so
  char in[1] = {char(byte)};
  char out[4] = {};
  char* inPtr = in;
  char* outPtr = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == size_t(-1) || outLeft != 2) return 0xFFFD;
  return char16_t((unsigned char)out[0] | ((unsigned char)out[1] << 8));
}

}  // namespace

TEST(DataCp1251, EveryByteDecodesAsTheCLibraryReadsIt) {
  iconv_t probe = iconv_open("UTF-16LE", "CP1251");
  // iconv's own way to say it failed is a pointer made of -1.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  if (probe == iconv_t(-1)) GTEST_SKIP() << "the C library has no CP1251 converter";
  iconv_close(probe);
  for (int b = 0; b < 256; ++b) {
    const char c = char(b);
    const QString decoded = FromCp1251(QByteArray(&c, 1));
    ASSERT_EQ(decoded.size(), 1);
    EXPECT_EQ(decoded.at(0).unicode(), IconvDecode((unsigned char)b)) << "byte " << b;
  }
}

TEST(DataCp1251, KnownLettersAndSigns) {
  EXPECT_EQ(FromCp1251(QByteArray("\xC0\xDF\xE0\xFF\xA8\xB8\xB9\x98")), u"АЯаяЁё№\uFFFD"_s);
  EXPECT_EQ(ToCp1251(u"Привет, мир! Ёж №5 «ок» — €"_s),
            QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xE6 \xB9"
                       "5 \xAB\xEE\xEA\xBB \x97 \x88"));
}

TEST(DataCp1251, EveryAssignedByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const QByteArray byte(1, char(b));
    const QString text = FromCp1251(byte);
    EXPECT_EQ(ToCp1251(text), byte) << "byte " << b;
    EXPECT_TRUE(IsCp1251Encodable(text.at(0))) << "byte " << b;
  }
}

TEST(DataCp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  // "日" is outside, "😀" is one character in two UTF-16 units, a lone surrogate is outside.
  EXPECT_EQ(ToCp1251(u"a日b😀c"_s), QByteArray("a?b?c"));
  EXPECT_EQ(ToCp1251(QString(QChar(0xD800)) + u"x"_s), QByteArray("?x"));
  EXPECT_EQ(ToCp1251(QString(QChar(0xFFFD))), QByteArray("?"));
  EXPECT_FALSE(IsCp1251Encodable(QChar(0x65E5)));
  EXPECT_FALSE(IsCp1251Encodable(QChar(0xFFFD)));
  EXPECT_FALSE(IsCp1251Encodable(QChar(0xD83D)));
  EXPECT_TRUE(IsCp1251Encodable(QChar(u'ж')));
  EXPECT_TRUE(IsCp1251Encodable(QChar(9)));
}

TEST(DataCp1251, MakeEncodableReplacesWhatCannotBeStored) {
  struct Case {
    QString typed;
    QString stored;
  };
  const Case cases[] = {
      {u"Вася Пупкин"_s, u"Вася Пупкин"_s},
      {u"Ёлка №1 — «да»"_s, u"Ёлка №1 — «да»"_s},
      {u"tab\there"_s, u"tab?here"_s},
      {QString(QChar(0)) + u"x"_s + QString(QChar(31)), u"?x?"_s},
      {u"日本"_s, u"??"_s},
      {u"smile😀!"_s, u"smile?!"_s},
      {QString(QChar(0xDC00)), u"?"_s},
      {u""_s, u""_s},
      {u" ~\u007F"_s, u" ~\u007F"_s},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeEncodable(c.typed), c.stored) << c.typed.toStdString();
    // What it keeps survives code page 1251 unchanged.
    EXPECT_EQ(FromCp1251(ToCp1251(c.stored)), c.stored);
  }
}
