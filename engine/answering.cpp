#include <algorithm>

#include "engine/game.h"

namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

}  // namespace

void Game::ChooseAnswer(ElementId index) {
  DropHover();
  m_round.answersOpen = false;
  m_round.chosen = index;
  m_judging.Start();
  StopPollAnimation();
  m_clock.Stop();
  m_friendWords.Stop();
  // The bed plays on under the judging; the lifelines' voices fall silent.
  StopAnyMurmur();
  PlayCue(Cue::LockIn);
}

void Game::TakeMoney() {
  m_screen.EnableElement(el::TakeMoney, false);
  m_round.guaranteedSum = m_round.currentSum;
  StopBed();
  PlayCue(Cue::TakeMoney);
  EndGame(Ending::TookMoney);
}

void Game::EndGame(Ending how) {
  m_ending = how;
  // The ladder shows what goes home, not how far the game got: after a wrong answer
  // on question 7 that is the 1 000 of question 5.
  const auto won = std::find(PrizeLadder.begin(), PrizeLadder.end(), m_round.guaranteedSum);
  ShowLadderAt(won == PrizeLadder.end() ? 0 : int(won - PrizeLadder.begin()) + 1);
  if (m_round.guaranteedSum > 0) ShowPanel(Panel::Record, true);
  else ShowPanel(how == Ending::TimeOut ? Panel::Timeout : Panel::Loss, true);
  // After the panel, so that a word about the history stands over the result.
  CommitGame(how);
}

void Game::ShowLadderAt(int question) {
  for (int n = 1; n <= kQuestionsInGame; ++n)
    m_screen.ShowLook(LadderRung(n), n < question    ? RungLook::Won
                                     : n == question ? RungLook::Current
                                                     : RungLook::NotWon);
}

void Game::JudgingStep() {
  const std::optional<JudgingBeat> beat = m_judging.Advance();
  if (!beat) return;
  const ElementId chosen = *m_round.chosen;
  const ElementId correct = AnswerElement(1);
  const bool right = chosen == correct;

  switch (*beat) {
    case JudgingBeat::ShowChosen:
      m_screen.ShowLook(chosen, AnswerLook::Chosen);
      m_screen.SetCaptionColour(chosen, kBlack);
      ShowPanel(Panel::Phone, false);
      ShowPanel(Panel::Poll, false);
      break;
    case JudgingBeat::ShowCorrect:
      m_screen.ShowLook(correct, AnswerLook::Correct);
      m_screen.SetCaptionColour(correct, kBlack);
      break;
    case JudgingBeat::BlinkOff:
      if (right) {
        m_screen.ShowLook(correct, AnswerLook::Chosen);
      } else {
        m_screen.ShowLook(correct, AnswerLook::Normal);
        m_screen.SetCaptionColour(correct, kWhite);
      }
      break;
    case JudgingBeat::Verdict: Verdict(); break;
  }
}

void Game::Verdict() {
  const ElementId chosen = *m_round.chosen;
  const ElementId correct = AnswerElement(1);
  const bool right = chosen == correct;

  m_screen.ShowLook(correct, AnswerLook::Normal);
  m_screen.ShowLook(chosen, AnswerLook::Normal);
  m_screen.SetCaptionColour(chosen, kWhite);
  m_screen.SetCaptionColour(correct, kWhite);
  m_judging.Stop();
  m_screen.SetVisible(el::ClockBar, false);
  RecordAnswer(right);

  if (!right) {
    StopBed();
    PlayCue(Cue::Wrong);
    EndGame(Ending::Wrong);
    return;
  }
  const int n = m_round.question;
  if (m_round.QuestionInPlay()) {
    m_screen.ShowLook(LadderRung(n), RungLook::Current);
    if (n > 1) m_screen.ShowLook(LadderRung(n - 1), RungLook::Won);
  }
  if (n < kQuestionsInGame) {
    m_round.question = n + 1;
    PlayCue(GuaranteedQuestions().contains(n) ? Cue::Milestone : Cue::Right);
    PrepareQuestion();
  } else {
    // The ladder is climbed: no question stands on it any more.
    m_round.question = 0;
    StopBed();
    PlayCue(Cue::Million);
    m_round.guaranteedSum = PrizeLadder.back();
    EndGame(Ending::Million);
  }
}
