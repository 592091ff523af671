#pragma once

#include <QString>
#include <array>
#include <vector>

constexpr int kLevelCount = 7;
constexpr int kMaxQuestions = 1000;

struct Question {
  QString text;
  std::array<QString, 4> answers;  ///< answers[0] is the correct one
  QString year;                    ///< empty when the level's bases give none
};

struct QuestionLevel {
  int count = 0;               ///< QuestionCount
  std::vector<Question> rows;  ///< rows[r-1] is row r, r = 1 … count
  std::vector<bool> used;      ///< QuestionUsed, same indexing
  int usedCount = 0;           ///< UsedCount
  bool decoded = false;        ///< false: a level 1 … 6 with fewer than 3 questions, left as read
};

struct QuestionTable {
  std::array<QuestionLevel, kLevelCount> levels;
};
