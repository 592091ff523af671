#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

#include "data/data_paths.h"
#include "data/question_table.h"

class InfoBox;
class QIODevice;
struct QuestionLoadReport;

/// A level of the game (1 … 6) with fewer questions than this is left undecoded and
/// cannot be played.
constexpr int kFewestQuestionsToPlay = 3;

/// "Базы вопросов не найдены!!!" CR LF and which files a level lacks.
QString NoBasesMessage(int level);
/// "Очень мало вопросов!!!" CR LF and, in plain words, how many questions the level
/// has and how many a game needs.
QString TooFewQuestionsMessage(int level, int count);
/// "На уровне N всего M вопроса, а для игры нужно не меньше K."
QString LevelQuestionCountText(int level, int count, int needed);

/// The base files of `level` in `questionFolder`: ordinary, not hidden files whose
/// extension is ".ol" and the level digit in any letter case, in alphabetical order.
/// Names that are not valid text are listed too (shown with replacement characters).
QStringList ListQuestionBaseFiles(const QString& questionFolder, int level);

/// Reads the base files of one level, one after another, and then fills the level.
/// LoadQuestionBase uses it on the files it lists; anything that has the bytes of a
/// base file (a fuzzer, a tool) can use it the same way.
class QuestionLevelReader {
 public:
  explicit QuestionLevelReader(InfoBox& box);
  ~QuestionLevelReader();
  QuestionLevelReader(const QuestionLevelReader&) = delete;
  QuestionLevelReader& operator=(const QuestionLevelReader&) = delete;

  /// Reads one base file to its end. Year lines are decoded as they are read.
  /// `name` is how the damage message names the file.
  void ReadFile(QIODevice& file, const QString& name = {});
  void ReadBytes(const QByteArray& fileBytes, const QString& name = {});
  /// Decodes the rows read so far into `out`, each distinct question once, or leaves
  /// them as read with the too-few message for a level 1 … 6 with fewer than 3
  /// questions. Everything worth telling (damaged fields per file, too few questions,
  /// files that are no base) comes in one message.
  void Finish(int level, QuestionLevel& out);
  /// The same, adding what is worth telling to `report` instead of showing it.
  void Finish(int level, QuestionLevel& out, QuestionLoadReport& report);

 private:
  class Parser;
  InfoBox& m_box;
  std::unique_ptr<Parser> m_parser;
};

/// Loads and decodes every base file of `level` (0 … 6) into `table`. With no base
/// file, shows the no-bases message and leaves the level empty. An empty folder
/// means that no question base is loaded: nothing happens. A file larger than any
/// base can be, or one that cannot be opened, is skipped and named.
void LoadQuestionBase(int level, const QString& questionFolder, QuestionTable& table, InfoBox& box);
/// The same over several folders, named in the file system's own bytes, read one
/// after another into the same level, each folder's files in alphabetical order: a
/// player's own bases add to the shipped ones.
void LoadQuestionBase(int level, const QList<QByteArray>& questionFolders, QuestionTable& table, InfoBox& box);
/// Resolves the paths of a copy that knows only its own folder and loads the levels
/// 0 … 6 in order; returns the paths. `writable` is the folder test of ResolvePaths.
/// Whatever the levels and files give to tell comes in one message at the end. With
/// a folder from the command line level 0 is optional: a game never draws from it.
DataPaths LoadQuestionBases(const QString& programFolder, QuestionTable& table, InfoBox& box,
                            const FolderWritableCheck& writable = IsFolderWritable);
/// The same for a game that knows more places than its own folder.
DataPaths LoadQuestionBases(const QString& programFolder, const DataLocations& locations, QuestionTable& table,
                            InfoBox& box, const FolderWritableCheck& writable = IsFolderWritable);
