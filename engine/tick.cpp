#include "engine/game.h"

void Game::Tick() {
  // A sequence started by an earlier one runs in this same tick when it comes later
  // in this order: the verdict's next question shows its first character at once.
  if (m_judging.Running()) JudgingStep();
  if (m_poll.Running()) PollAnimationStep();
  if (m_clock.Running()) QuestionClockStep();
  if (m_questionReveal.Running()) QuestionRevealStep();
  if (m_friendWords.Running()) FriendRevealStep();
  // Results that found the board locked are tried again; never under an open box,
  // where what this says would stand over a question the player has not answered.
  if (m_storeRetrySince && m_boxesOpen == 0) StoreKeptResults();
}
