#pragma once

#include <QString>

/// Every sound the game plays. The music loops (the theme between games, one bed per
/// stage of questions) play one at a time under everything else; the voices loop over
/// the music while a lifeline talks; the stings play once, over whatever sounds.
enum class Cue {
  // Music loops.
  Theme,
  BedStage1,  ///< questions 1 … 5
  BedStage2,  ///< questions 6 … 10
  BedStage3,  ///< questions 11 … 15
  // Voice loops.
  PhoneMurmur,
  AudienceMurmur,
  // Stings.
  Reveal,
  LockIn,
  Right,
  Wrong,
  TimeOut,
  FiftyFifty,
  PhoneRing,
  ClockTick,
  TakeMoney,
  Record,
  Million,
  ClearBoard,
};

constexpr int kCueCount = int(Cue::ClearBoard) + 1;

/// Ticks the right answer's sting rings, counted from the verdict's own tick, before
/// the next question's sting may sound: 2.4 s.
constexpr int kRightStingTicks = 25;

/// The cue's sound file is "sounds/" + this + ".wav".
QString CueName(Cue cue);

/// Whether the cue repeats for as long as its moment lasts.
constexpr bool CueLoops(Cue cue) { return cue <= Cue::AudienceMurmur; }

/// The music bed of question 1 … 15.
constexpr Cue StageBed(int questionNumber) {
  return questionNumber <= 5 ? Cue::BedStage1 : questionNumber <= 10 ? Cue::BedStage2 : Cue::BedStage3;
}
