#include <cmath>

#include "engine/game.h"

void Game::SetSoundOn(bool on) {
  if (on == m_soundOn) return;
  m_soundOn = on;
  m_screen.SetSoundOffSign(!on);
  m_platform.Sound().SetMuted(!on);
}

void Game::PlayCue(Cue sting) {
  if (m_soundOn) m_platform.Sound().Play(sting);
}

void Game::StartBed(Cue bed) {
  if (m_bed == bed) return;
  m_bed = bed;
  m_platform.Sound().StartBed(bed);
}

void Game::StopBed() {
  if (!m_bed) return;
  m_bed.reset();
  m_platform.Sound().StopBed();
}

void Game::StartMurmur(Cue murmur) {
  if (m_murmur == murmur) return;
  m_murmur = murmur;
  m_platform.Sound().StartMurmur(murmur);
}

void Game::StopMurmur(Cue murmur) {
  if (m_murmur == murmur) StopAnyMurmur();
}

void Game::StopAnyMurmur() {
  if (!m_murmur) return;
  m_murmur.reset();
  m_platform.Sound().StopMurmur();
}

void Game::TickLastSeconds(float remaining) {
  // Whole seconds still to run, as a countdown says them: 5 from 5.0 down to 4.0…
  const int seconds = int(std::ceil(remaining));
  if (seconds > 5) {
    // Time given back (the phone) lets the countdown sound again from five.
    m_lastTickSecond = 0;
    return;
  }
  if (seconds < 1) return;
  if (seconds == m_lastTickSecond) return;
  m_lastTickSecond = seconds;
  PlayCue(Cue::ClockTick);
}
