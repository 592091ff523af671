// Data layer speed: loading a full question table, and the decoder against a plain
// byte-summing loop over the same buffer (it should keep at least a quarter of that
// loop's speed).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/question_loader.h"
#include "data/question_source.h"
#include "data/random_source.h"
#include "tests/testing/info_box_fakes.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList kWords = {u"когда"_s,      u"какой"_s,   u"город"_s,    u"впервые"_s,
                            u"столица"_s,    u"река"_s,    u"написал"_s,  u"году"_s,
                            u"знаменитый"_s, u"русский"_s, u"художник"_s, u"сколько"_s,
                            u"называется"_s, u"самый"_s,   u"длинный"_s,  u"«Война и мир»"_s};

QString Words(std::mt19937& rng, int length) {
  QString text;
  while (text.size() < length) {
    if (!text.isEmpty()) text += u' ';
    text += kWords[int(rng() % kWords.size())];
  }
  return text.left(length);
}

// A program folder holding seven bases of 1000 questions each: questions of about
// 100 characters, answers of about 15, and a year.
class FullTable {
 public:
  FullTable() {
    QDir(m_dir.path()).mkdir(u"Data"_s);
    std::mt19937 rng(1);
    SystemRandomSource random;
    for (int level = 0; level < kLevelCount; ++level) {
      QuestionSource source;
      source.level = level;
      source.year = u"1999"_s;
      for (int i = 0; i < kMaxQuestions; ++i) {
        SourceQuestion q;
        q.text = Words(rng, 95 + int(rng() % 11)) + u'?';
        for (QString& a : q.answers) a = Words(rng, 12 + int(rng() % 7));
        source.questions.push_back(q);
      }
      QFile file(m_dir.path() + u"/Data/base.ol"_s + QString::number(level));
      if (file.open(QIODevice::WriteOnly)) file.write(BuildQuestionBase(source, random));
    }
  }
  QString path() const { return m_dir.path(); }

 private:
  QTemporaryDir m_dir;
};

void BM_LoadFullTable(benchmark::State& state) {
  static const FullTable program;
  for (auto _ : state) {
    QuestionTable table;
    RecordingInfoBox box;
    LoadQuestionBases(program.path(), table, box, [](const QString&) { return true; });
    if (table.levels[6].count != kMaxQuestions || !box.messages.isEmpty()) state.SkipWithError("table not loaded");
    benchmark::DoNotOptimize(table);
  }
}
BENCHMARK(BM_LoadFullTable)->Unit(benchmark::kMillisecond);

// The longest text the decoder reads, scrambled in groups of `parts`.
const QByteArray& Scrambled(int parts) {
  static std::map<int, QByteArray> buffers;
  QByteArray& buffer = buffers[parts];
  if (buffer.isEmpty()) {
    std::mt19937 rng(2);
    SystemRandomSource random;
    buffer = Scramble(ToCp1251(Words(rng, int(kMaxScrambledLength / parts))), parts, random);
  }
  return buffer;
}

void BM_ByteSum(benchmark::State& state) {
  const QByteArray& buffer = Scrambled(int(state.range(0)));
  for (auto _ : state) {
    const QByteArray& data = *&buffer;
    benchmark::DoNotOptimize(data.constData());
    unsigned sum = 0;
    for (const char c : data) sum += (unsigned char)c;
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * buffer.size());
}
BENCHMARK(BM_ByteSum)->Arg(2)->Arg(3)->Arg(4);

void BM_Decode(benchmark::State& state) {
  const int parts = int(state.range(0));
  const QByteArray& buffer = Scrambled(parts);
  RecordingInfoBox box;
  for (auto _ : state) {
    QByteArray plain = Unscramble(buffer, parts, box);
    benchmark::DoNotOptimize(plain.data());
  }
  if (!box.messages.isEmpty()) state.SkipWithError("damage message");
  state.SetBytesProcessed(int64_t(state.iterations()) * buffer.size());
}
BENCHMARK(BM_Decode)->Arg(2)->Arg(3)->Arg(4);

void BM_Encode(benchmark::State& state) {
  const int parts = int(state.range(0));
  std::mt19937 rng(3);
  const QByteArray plain = ToCp1251(Words(rng, 1000));
  SystemRandomSource random;
  for (auto _ : state) benchmark::DoNotOptimize(Scramble(plain, parts, random));
  state.SetBytesProcessed(int64_t(state.iterations()) * plain.size());
}
BENCHMARK(BM_Encode)->Arg(2)->Arg(3)->Arg(4);

}  // namespace

// The benchmark binary's main() lives with the screen benchmarks, which need an application object.
