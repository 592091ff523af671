#include <gtest/gtest.h>

#include <QByteArray>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

#include "data/codec.h"
#include "data/random_source.h"
#include "tests/testing/info_box_fakes.h"
#include "tests/testing/random_fakes.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int v : values) bytes.append(char(v));
  return bytes;
}

void ExpectWellFormed(const QByteArray& plain, const QByteArray& scrambled, int parts) {
  ASSERT_EQ(scrambled.size(), plain.size() * parts);
  for (qsizetype k = 0; k < plain.size(); ++k) {
    int sum = 0;
    for (int j = 0; j < parts; ++j) {
      const auto b = quint8(scrambled[k * parts + j]);
      EXPECT_TRUE(IsAllowedByte(b)) << "forbidden byte " << int(b) << " in group " << k;
      sum += b;
    }
    EXPECT_EQ(sum, quint8(plain[k])) << "group " << k;
  }
}

}  // namespace

TEST(DataCodec, ChrTestForbidsExactlyTheElevenReservedBytes) {
  const QSet<int> forbidden = {0, 1, 2, 3, 4, 5, 9, 10, 13, 26, 27};
  int allowed = 0;
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(IsAllowedByte(quint8(b)), !forbidden.contains(b)) << "byte " << b;
    allowed += IsAllowedByte(quint8(b));
  }
  EXPECT_EQ(allowed, 245);
  for (int b : {6, 7, 8, 11, 12, 14, 25, 28, 255}) EXPECT_TRUE(IsAllowedByte(quint8(b))) << b;
}

TEST(DataCodec, DecodesGroupsByTheirExactSums) {
  struct Case {
    QByteArray scrambled;
    int parts;
    QByteArray plain;
    int messages;
  };
  const Case cases[] = {
      {{}, 2, {}, 0},
      {{}, 3, {}, 0},
      {{}, 4, {}, 0},
      {Bytes({20, 30, 47}), 3, "a", 0},
      {Bytes({0, 0, 65}), 3, "A", 0},                     // forbidden bytes are read like any others
      {Bytes({47, 30, 20}), 3, "a", 0},                   // order inside a group does not matter
      {Bytes({20, 30, 47, 30, 30, 38, 99}), 3, "ab", 0},  // the seventh byte is dropped
      {Bytes({100, 100, 100}), 3, {}, 1},
      {Bytes({20, 30, 47, 30, 30, 38, 100, 100, 100, 10, 10, 10}), 3, "ab", 1},
      {Bytes({200, 55, 1}), 3, {}, 1},  // 255 is fine, 256 is not
      {Bytes({200, 55, 0}), 3, Bytes({255}), 0},
      {Bytes({20, 30, 47, 200, 100}), 3, "a", 1},  // an incomplete group past 255 is damage too
      {Bytes({60, 5}), 2, "A", 0},
      {Bytes({16, 16, 16, 17}), 4, "A", 0},
      {Bytes({65, 66}), 1, "AB", 0},
      {Bytes({65, 66}), 0, "AB", 0},  // below one counts as one
      {Bytes({10, 10, 10, 10, 10, 15, 1}), 6, "A", 0},
  };
  for (const Case& c : cases) {
    RecordingInfoBox box;
    EXPECT_EQ(Unscramble(c.scrambled, c.parts, box), c.plain) << c.scrambled.toHex().toStdString();
    ASSERT_EQ(box.messages.size(), c.messages) << c.scrambled.toHex().toStdString();
    for (const auto& m : box.messages) {
      EXPECT_EQ(m.text, u"Данные повреждены. Расшифровка невозможна!!!"_s);
      EXPECT_EQ(m.kind, InfoBox::Kind::Warning);
    }
  }
}

TEST(DataCodec, ShowsOneMessageForManyDamagedGroups) {
  RecordingInfoBox box;
  const QByteArray damaged(300, char(200));
  EXPECT_TRUE(Unscramble(damaged, 2, box).isEmpty());
  EXPECT_EQ(box.messages.size(), 1);
}

TEST(DataCodec, TextsBeyondTheLengthLimitAreCutWithTheDamageMessage) {
  // 32767 bytes hold 10922 whole groups of three; one byte more is damage.
  QByteArray atLimit(kMaxScrambledLength, char(11));
  RecordingInfoBox box;
  EXPECT_EQ(Unscramble(atLimit, 3, box), QByteArray(10922, char(33)));
  EXPECT_TRUE(box.messages.isEmpty());

  const QByteArray over = atLimit + QByteArray(5, char(11));
  EXPECT_EQ(Unscramble(over, 3, box), QByteArray(10922, char(33)));
  EXPECT_EQ(box.messages.size(), 1);

  box.messages.clear();
  const QByteArray overAndDamaged = QByteArray(6, char(11)) + QByteArray(3, char(200)) + atLimit;
  EXPECT_EQ(Unscramble(overAndDamaged, 3, box), QByteArray(2, char(33)));
  EXPECT_EQ(box.messages.size(), 1);
}

TEST(DataCodec, EncodingRoundTripsWithExactSumsAndNoForbiddenByte) {
  QByteArray plain;
  for (int b = 32; b < 256; ++b) plain.append(char(b));
  plain += QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2 1000000");
  SystemRandomSource random;
  for (int parts = 2; parts <= 4; ++parts) {
    const QByteArray scrambled = Scramble(plain, parts, random);
    ExpectWellFormed(plain, scrambled, parts);
    RecordingInfoBox box;
    EXPECT_EQ(Unscramble(scrambled, parts, box), plain) << "parts " << parts;
    EXPECT_TRUE(box.messages.isEmpty());
  }
}

TEST(DataCodec, TheSameTextScramblesDifferentlyEachTime) {
  SystemRandomSource random;
  const QByteArray plain("\xC2\xE0\xF1\xFF \xCF\xF3\xEF\xEA\xE8\xED");
  const QByteArray first = Scramble(plain, 3, random);
  const QByteArray second = Scramble(plain, 3, random);
  EXPECT_NE(first, second);
  RecordingInfoBox box;
  EXPECT_EQ(Unscramble(first, 3, box), plain);
  EXPECT_EQ(Unscramble(second, 3, box), plain);
}

TEST(DataCodec, EncoderUsesTheDrawsItIsGiven) {
  // 'a' = 97 with three parts: floor(0.5·97) = 48, floor(0.25·49) = 12, rest 37.
  ScriptedRandomSource random({0.5, 0.25});
  EXPECT_EQ(Scramble("a", 3, random), Bytes({48, 12, 37}));
  EXPECT_EQ(random.drawn, 2);
  // A forbidden draw (floor(0.1·97) = 9) throws the whole group away.
  ScriptedRandomSource again({0.1, 0.5, 0.25});
  EXPECT_EQ(Scramble("a", 3, again), Bytes({48, 12, 37}));
  EXPECT_EQ(again.drawn, 3);
}

TEST(DataCodec, SplittableBytesMatchAnExhaustiveSearch) {
  // reachable[k][v]: v is a sum of k allowed bytes.
  for (int parts = 2; parts <= 6; ++parts) {
    std::vector<std::vector<bool>> reachable(size_t(parts) + 1, std::vector<bool>(256 * 8, false));
    reachable[0][0] = true;
    for (int k = 1; k <= parts; ++k) {
      for (int v = 0; v < 256 * 8; ++v) {
        for (int b = 0; b <= 255 && b <= v; ++b) {
          if (IsAllowedByte(quint8(b)) && reachable[size_t(k) - 1][size_t(v - b)]) {
            reachable[size_t(k)][size_t(v)] = true;
            break;
          }
        }
      }
    }
    for (int v = 0; v < 256; ++v) {
      EXPECT_EQ(CanSplit(v, parts), bool(reachable[size_t(parts)][size_t(v)])) << v << " in " << parts;
    }
  }
  // The limits the format names: parts 2, 3, 4 cannot split 0…11, 0…17, 0…23.
  EXPECT_EQ(SmallestSplittable(2), 12);
  EXPECT_EQ(SmallestSplittable(3), 18);
  EXPECT_EQ(SmallestSplittable(4), 24);
}

TEST(DataCodec, UnsplittableBytesAreRaisedAndNeverHang) {
  // Every byte, with sources that always give 0, almost 1 or NaN: all would loop
  // for ever if the encoder redrew without end.
  QByteArray every;
  for (int b = 0; b < 256; ++b) every.append(char(b));
  for (double value : {0.0, 0.999999, 0.5, std::nan("")}) {
    for (int parts = 2; parts <= 4; ++parts) {
      StuckRandomSource random(value);
      const QByteArray scrambled = Scramble(every, parts, random);
      QByteArray expected = every;
      for (char& c : expected) c = char(std::max(int(quint8(c)), SmallestSplittable(parts)));
      ExpectWellFormed(expected, scrambled, parts);
      EXPECT_LT(random.drawn, 256LL * 1000 * parts);
    }
  }
}

TEST(DataCodec, LargeGroupSizesStillSplitOrGiveNothing) {
  StuckRandomSource random(0.0);
  const QByteArray plain("\xFF\x20");
  // 42 parts of at least 6 still fit into 255 (and 32 is raised to 252).
  ExpectWellFormed(QByteArray("\xFF\xFC"), Scramble(plain, 42, random), 42);
  EXPECT_TRUE(Scramble(plain, 43, random).isEmpty());
  EXPECT_TRUE(Scramble(plain, 1, random).isEmpty());
  EXPECT_TRUE(Scramble(plain, 0, random).isEmpty());
  EXPECT_TRUE(Scramble({}, 3, random).isEmpty());
}
