#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// One thing a question author has to look at, at a line of a source file.
struct LintFinding {
  QString file;  ///< as given on the command line
  int line = 0;  ///< 1-based; 0 when the file as a whole is at fault
  QString reason;
};

/// Smallest sizes, in whole points, at which text still reads on the screen.
constexpr int kLintMinQuestionSize = 9;
constexpr int kLintMinAnswerSize = 8;

/// Checks question sources the way their author needs: parse errors as pack
/// reports them, the same question twice (in any of the files), the same answer
/// twice within a question, text that the game can only fit at an unreadable
/// size, words mixing Latin and Cyrillic letters, a right answer given away within
/// its question (see GiveAways), and two played questions that repeat
/// each other (three of the same answers, or the same fact asked twice; see
/// FindOverlaps), said at the later of the two with the place of the earlier. Findings come per file in
/// the order of `paths`, by line within a file. Needs a QGuiApplication: text is
/// measured with the game's own fonts and fitting.
QList<LintFinding> LintSources(const QStringList& paths);

/// `fartovik-bases lint SOURCE...`: prints each finding as "FILE:LINE: reason"
/// and returns 1 when there is any, 0 when there is none, 2 on a usage error.
/// Makes its own QGuiApplication, on the offscreen platform unless another is
/// asked for, so it runs without a display.
int RunLint(int argc, char** argv);
