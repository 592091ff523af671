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

/// The sting or voices a cue must not sound over: asked for while that one still
/// sounds, the cue waits for its last sample and starts then. The next question's
/// sting lets the right answer's chord ring out; the friend answers once his phone
/// has stopped ringing; the board's cheer waits for the million's fanfare.
constexpr std::optional<Cue> CueWaitsFor(Cue cue) {
  switch (cue) {
    case Cue::Reveal: return Cue::Right;
    case Cue::PhoneMurmur: return Cue::PhoneRing;
    case Cue::Record: return Cue::Million;
    default: return std::nullopt;
  }
}
