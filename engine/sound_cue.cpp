#include "engine/sound_cue.h"

QString CueName(Cue cue) {
  switch (cue) {
    case Cue::Theme: return QStringLiteral("theme_loop");
    case Cue::BedStage1: return QStringLiteral("bed_stage1");
    case Cue::BedStage2: return QStringLiteral("bed_stage2");
    case Cue::BedStage3: return QStringLiteral("bed_stage3");
    case Cue::PhoneMurmur: return QStringLiteral("phone_murmur");
    case Cue::AudienceMurmur: return QStringLiteral("audience_murmur");
    case Cue::Reveal: return QStringLiteral("reveal");
    case Cue::LockIn: return QStringLiteral("lock_in");
    case Cue::Right: return QStringLiteral("right");
    case Cue::Milestone: return QStringLiteral("milestone");
    case Cue::Wrong: return QStringLiteral("wrong");
    case Cue::TimeOut: return QStringLiteral("time_out");
    case Cue::FiftyFifty: return QStringLiteral("fifty_fifty");
    case Cue::PhoneRing: return QStringLiteral("phone_ring");
    case Cue::ClockTick: return QStringLiteral("clock_tick");
    case Cue::TakeMoney: return QStringLiteral("take_money");
    case Cue::Record: return QStringLiteral("record");
    case Cue::Million: return QStringLiteral("million");
    case Cue::ClearBoard: return QStringLiteral("clear_board");
  }
  return {};
}
