#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

class InfoBox;

/// What loading the question bases found that the player should know. However many
/// levels and files it concerns, it is said in one message when the load is done:
/// a folder of three hundred damaged files or seven missing levels is one box.
struct QuestionLoadReport {
  struct DamagedFile {
    QString name;
    int fields = 0;
  };

  QList<int> missingLevels;           ///< levels with no base file, in order
  QList<std::pair<int, int>> tooFew;  ///< level and its count, for levels 1 … 6 too small to play
  QList<DamagedFile> damaged;         ///< files with damaged fields, in the order read
  QStringList tooLarge;               ///< files skipped for their size
  QStringList notBases;               ///< files with a base's name but no section of a base
  QStringList unreadable;             ///< files that could not be opened

  bool IsEmpty() const;
  /// The one message: the parts that apply, each as it reads alone, in the order
  /// missing levels, too few questions, damage, skipped files.
  QString Message() const;
  /// Whether the only news is a level with too few questions: information, where
  /// anything missing, damaged or skipped is a warning.
  bool OnlyTooFew() const;
  /// Shows the message, when there is anything to say.
  void ShowIn(InfoBox& box) const;
};
