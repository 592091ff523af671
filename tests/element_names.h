#pragma once

#include <QString>

#include <ostream>

#include "screen/element_id.h"

/// The name of an element as tests write it down ("AnswerA", "Ladder7", "RecordPanel").
inline QString ElementName(ElementId id) {
  static const char* const kNames[] = {
      "Background",     "QuestionFrame", "AnswerA",     "AnswerB",     "AnswerC",      "AnswerD",     "Close",
      "Menu",           "TitleStrip",    "FiftyFifty",  "PhoneFriend", "AudiencePoll", "Ladder1",     "Ladder2",
      "Ladder3",        "Ladder4",       "Ladder5",     "Ladder6",     "Ladder7",      "Ladder8",     "Ladder9",
      "Ladder10",       "Ladder11",      "Ladder12",    "Ladder13",    "Ladder14",     "Ladder15",    "PhonePanel",
      "PollPanel",      "PollBarA",      "PollBarB",    "PollBarC",    "PollBarD",     "ClockStrip",  "ClockBar",
      "Minimise",       "Leaderboard",   "ScrollTrack", "ScrollUp",    "ScrollDown",   "ScrollThumb", "RecordPanel",
      "RecordConfirm",  "LossPanel",     "LossConfirm", "TakeMoney",   "HideBoard",    "ClearBoard",  "TimeoutPanel",
      "TimeoutConfirm", "BoardHeader"};
  static_assert(std::size(kNames) == kElementCount, "one name per element");
  return QString::fromLatin1(kNames[IndexOf(id)]);
}

inline std::ostream& operator<<(std::ostream& out, ElementId id) { return out << ElementName(id).toStdString(); }
