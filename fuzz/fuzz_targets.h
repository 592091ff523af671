#pragma once

// The fuzz entry points: the libFuzzer binaries call them, and the unit tests run
// them over the seed corpus in fuzz/corpus/, so a regression shows in every build.
// Each returns an empty text when the input was handled as it should be, or what
// went wrong; the sanitizers catch the rest.

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/player_history.h"
#include "data/question_loader.h"
#include "data/random_source.h"
#include "data/winners_table.h"
#include "tests/testing/info_box_fakes.h"

namespace fuzz {

/// Numbers taken from the input itself, so the fuzzer steers the encoder too.
class InputRandom : public RandomSource {
 public:
  explicit InputRandom(QByteArray bytes) : m_bytes(std::move(bytes)) {}
  double Next() override {
    if (m_bytes.isEmpty()) return 0.0;
    return (unsigned char)m_bytes[m_next++ % m_bytes.size()] / 256.0;
  }

 private:
  QByteArray m_bytes;
  qsizetype m_next = 0;
};

/// The decoding rules read literally, byte by byte: the reference the fast decoder
/// must agree with.
inline QByteArray ReferenceDecode(const QByteArray& text, int parts, bool& damaged) {
  parts = std::max(parts, 1);
  damaged = text.size() > kMaxScrambledLength;
  QByteArray result;
  int sum = 0, count = 0;
  for (qsizetype i = 0; i < std::min(text.size(), kMaxScrambledLength); ++i) {
    sum += (unsigned char)text[i];
    if (sum > 255) {
      damaged = true;
      break;
    }
    if (++count == parts) {
      result.append(char(sum));
      sum = 0;
      count = 0;
    }
  }
  return result;
}

/// First byte: group size; the rest: text to decode, and plain text to encode.
inline QString Codec(const uint8_t* data, size_t size) {
  if (size == 0) return {};
  const int parts = data[0] % 8;
  const QByteArray text(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

  RecordingInfoBox box;
  bool damaged = false;
  const QByteArray expected = ReferenceDecode(text, parts, damaged);
  if (Unscramble(text, parts, box) != expected) return QStringLiteral("decoder disagrees with the reference");
  if (box.messages.size() != (damaged ? 1 : 0)) return QStringLiteral("wrong number of damage messages");

  const int encodeParts = 2 + data[0] % 3;
  const QByteArray plain = text.left(32);  // a hostile source makes each byte cost up to 1000 tries
  InputRandom random(text);
  const QByteArray scrambled = Scramble(plain, encodeParts, random);
  if (scrambled.size() != plain.size() * encodeParts) return QStringLiteral("encoded length");
  QByteArray raised = plain;
  for (qsizetype k = 0; k < plain.size(); ++k) {
    int sum = 0;
    for (int j = 0; j < encodeParts; ++j) {
      const auto b = quint8(scrambled[k * encodeParts + j]);
      if (!IsAllowedByte(b)) return QStringLiteral("forbidden byte in scrambled text");
      sum += b;
    }
    raised[k] = char(std::max(int(quint8(plain[k])), SmallestSplittable(encodeParts)));
    if (sum != quint8(raised[k])) return QStringLiteral("group does not add up");
  }
  if (Unscramble(scrambled, encodeParts, box) != raised || box.messages.size() > 1) {
    return QStringLiteral("encoded text does not decode back");
  }
  return {};
}

/// First byte: level; second: where the rest splits into two files of the level.
inline QString QuestionBase(const uint8_t* data, size_t size) {
  if (size < 2) return {};
  const int level = data[0] % 7;
  const QByteArray rest(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
  const qsizetype split = rest.size() * data[1] / 255;

  RecordingInfoBox box;
  QuestionLevelReader reader(box);
  reader.ReadBytes(rest.left(split));
  reader.ReadBytes(rest.mid(split));
  QuestionLevel out;
  reader.Finish(level, out);

  if (out.count < 0 || out.count > kMaxQuestions) return QStringLiteral("question count out of range");
  if (out.rows.size() != size_t(out.count) || out.used.size() != size_t(out.count)) {
    return QStringLiteral("rows and count disagree");
  }
  if (out.decoded != (out.count >= 3 || level == 0)) return QStringLiteral("decoded flag");
  const qsizetype scrambledCap = kMaxScrambledLength + 1;
  for (const Question& q : out.rows) {
    const int shrink = out.decoded ? 1 : 0;
    if (q.text.size() > (shrink ? kMaxScrambledLength / 2 : scrambledCap))
      return QStringLiteral("question text too long");
    for (const QString& a : q.answers) {
      if (a.size() > (shrink ? kMaxScrambledLength / 3 : scrambledCap)) return QStringLiteral("answer too long");
    }
    if (q.year.size() > kMaxScrambledLength / 4) return QStringLiteral("year too long");
  }
  for (const auto& m : box.messages) {
    if (m.kind == InfoBox::Kind::Question) return QStringLiteral("a question while reading");
  }
  return {};
}

/// The whole input is a leaderboard file; what it reads must save and read back.
inline QString Winners(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  RecordingInfoBox box;
  WinnersTable table;
  ReadWinners(buffer, table, box);
  if (table.count() > kMaxWinners) return QStringLiteral("row count out of range");
  for (const BoardRow& row : table.rows) {
    if (row.name.size() > kMaxScrambledLength / 3) return QStringLiteral("name too long");
  }

  InputRandom random(bytes);
  QBuffer saved;
  saved.setData(WinnersFileBytes(table, random));
  saved.open(QIODevice::ReadOnly);
  RecordingInfoBox again;
  WinnersTable reloaded;
  ReadWinners(saved, reloaded, again);
  if (!again.messages.isEmpty()) return QStringLiteral("a saved leaderboard reads back with a message");
  if (reloaded.count() != table.count()) return QStringLiteral("saved row count");
  for (int r = 1; r <= table.count(); ++r) {
    if (reloaded.AtRank(r).name != MakeEncodable(table.AtRank(r).name) ||
        reloaded.AtRank(r).sum != MakeEncodable(table.AtRank(r).sum)) {
      return QStringLiteral("a saved row reads back changed");
    }
  }
  return {};
}

/// The history file's reader: what it reads writes back to the same games, and a
/// file it calls damaged yields none.
inline QString History(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  std::vector<GameRecord> games;
  const HistoryParse parse = ParseHistory(bytes, games);
  if (parse != HistoryParse::Read) return games.empty() ? QString() : QStringLiteral("games from an unread file");
  for (const GameRecord& game : games) {
    if (game.asked.size() > 15 || game.lifelines.size() > 3) return QStringLiteral("more than a game holds");
    if (game.sum < 0 || game.sum > 1000000) return QStringLiteral("sum out of range");
  }
  const QByteArray written = HistoryBytes(games);
  std::vector<GameRecord> again;
  if (ParseHistory(written, again) != HistoryParse::Read || again.size() != games.size())
    return QStringLiteral("a written history does not read back");
  if (HistoryBytes(again) != written) return QStringLiteral("a history read back writes differently");
  return {};
}

/// What a libFuzzer entry point does with a check's verdict: a broken check stops
/// the run with its reason, so the fuzzer keeps the input that broke it.
inline int Verdict(const QString& failure) {
  if (failure.isEmpty()) return 0;
  std::fprintf(stderr, "%s\n", failure.toUtf8().constData());
  std::abort();
}

}  // namespace fuzz
