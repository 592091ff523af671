#pragma once

#include <QString>

#include <optional>

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
  Milestone,  ///< the right answer that wins a guaranteed sum
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

/// The cue's sound file is "sounds/" + this + ".wav".
QString CueName(Cue cue);

/// Whether the cue repeats for as long as its moment lasts.
constexpr bool CueLoops(Cue cue) { return cue <= Cue::AudienceMurmur; }

/// The music bed of question 1 … 15.
constexpr Cue StageBed(int questionNumber) {
  return questionNumber <= 5 ? Cue::BedStage1 : questionNumber <= 10 ? Cue::BedStage2 : Cue::BedStage3;
}

/// Whether `cue`, asked for while `sounding` still sounds, waits for that one's last
/// sample and starts then. The next question's sting lets the right answer's chord
/// ring out; the friend answers once his phone has stopped ringing; the board's
/// cheer waits for the million's fanfare.
constexpr bool CueWaitsFor(Cue cue, Cue sounding) {
  switch (cue) {
    case Cue::Reveal: return sounding == Cue::Right || sounding == Cue::Milestone;
    case Cue::PhoneMurmur: return sounding == Cue::PhoneRing;
    case Cue::Record: return sounding == Cue::Million;
    default: return false;
  }
}

/// Whether `cue` ever waits for another (CueWaitsFor).
constexpr bool CueMayWait(Cue cue) {
  for (int c = 0; c < kCueCount; ++c)
    if (CueWaitsFor(cue, Cue(c))) return true;
  return false;
}
