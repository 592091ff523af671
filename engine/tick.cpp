#include "engine/game.h"

void Game::Tick() {
  // A task switched on by an earlier step runs in this same tick when its index is
  // higher: the verdict's next question shows its first character at once.
  if (m_state.TaskActive[task::AnswerReveal]) AnswerRevealStep();
  if (m_state.TaskActive[task::PollAnimation]) PollAnimationStep();
  if (m_state.TaskActive[task::QuestionClock]) QuestionClockStep();
  if (m_state.TaskActive[task::QuestionReveal]) QuestionRevealStep();
  if (m_state.TaskActive[task::FriendReveal]) FriendRevealStep();
  // Results that found the board locked are tried again; never under an open box,
  // where what this says would stand over a question the player has not answered.
  if (m_storeRetrySince && m_boxesOpen == 0) StoreKeptResults();
}
