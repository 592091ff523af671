#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz/fuzz_settings_target.h"
#include "fuzz/fuzz_targets.h"

using namespace Qt::StringLiterals;

namespace {

using Target = QString (*)(const uint8_t*, size_t);

// Feeds every file of fuzz/corpus/<name> to the entry point the fuzzer runs.
void ReplayCorpus(const QString& name, Target target) {
  const QDir corpus(QStringLiteral(FARTOVIK_SOURCE_DIR "/fuzz/corpus/") + name);
  const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(files.isEmpty()) << "no seed files in " << corpus.path().toStdString();
  for (const QString& file : files) {
    QFile input(corpus.filePath(file));
    ASSERT_TRUE(input.open(QIODevice::ReadOnly)) << file.toStdString();
    const QByteArray bytes = input.readAll();
    EXPECT_EQ(target(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())), QString())
        << name.toStdString() << "/" << file.toStdString();
  }
}

}  // namespace

TEST(DataFuzzCorpus, Codec) { ReplayCorpus(u"codec"_s, fuzz::Codec); }
TEST(DataFuzzCorpus, QuestionBase) { ReplayCorpus(u"question_base"_s, fuzz::QuestionBase); }
TEST(DataFuzzCorpus, Winners) { ReplayCorpus(u"winners"_s, fuzz::Winners); }
TEST(DataFuzzCorpus, History) { ReplayCorpus(u"history"_s, fuzz::History); }
TEST(DataFuzzCorpus, SettingsAndCommandLine) { ReplayCorpus(u"settings"_s, fuzz::SettingsAndCommandLine); }
