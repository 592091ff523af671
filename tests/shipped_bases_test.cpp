// The question bases the game ships, as the game loads them from the build's Data
// folder: every level there, nothing to warn about, and every question playable.
#include <gtest/gtest.h>
#include <QSet>

#include "data/question_loader.h"
#include "tests/testing/info_box_fakes.h"

TEST(ShippedBases, LoadWithoutMessagesAndEveryQuestionIsPlayable) {
  QuestionTable table;
  RecordingInfoBox box;
  LoadQuestionBases(QStringLiteral(FARTOVIK_BINARY_DIR), table, box);
  for (const auto& message : box.messages) ADD_FAILURE() << message.text.toStdString();

  for (int level = 0; level < kLevelCount; ++level) {
    SCOPED_TRACE(level);
    const QuestionLevel& questions = table.levels[level];
    EXPECT_TRUE(questions.decoded);
    // Enough for a hundred evenings before a regular player meets a repeat.
    EXPECT_GE(questions.count, level == 0 ? 3 : 200);
    for (int row = 0; row < questions.count; ++row) {
      const Question& q = questions.rows[row];
      SCOPED_TRACE(q.text.toStdString());
      EXPECT_FALSE(q.text.isEmpty());
      EXPECT_FALSE(q.year.isEmpty());
      QSet<QString> answers;
      for (const QString& answer : q.answers) {
        EXPECT_FALSE(answer.trimmed().isEmpty());
        answers.insert(answer.toLower());
      }
      EXPECT_EQ(answers.size(), 4);
    }
  }
}
