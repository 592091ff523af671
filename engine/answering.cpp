#include <algorithm>

#include "engine/game.h"

namespace {

constexpr PackedColour kBlack = Rgb(0, 0, 0);
constexpr PackedColour kWhite = Rgb(255, 255, 255);

// Ticks of the judging sequence, counted from the tick that shows the choice.
constexpr int kShowChosen = 1;
constexpr int kVerdict = 48;

bool ShowsCorrect(int step) { return step == kCorrectShown || step == 33 || step == 39 || step == 45; }
bool BlinksOff(int step) { return step == 30 || step == 36 || step == 42; }

}  // namespace

void Game::ChooseAnswer(ElementId index) {
  DropHover();
  m_state.AnswersOpen = false;
  m_state.ChosenElement = index;
  m_state.TaskStep[task::AnswerReveal] = 0;
  m_state.TaskActive[task::AnswerReveal] = true;
  StopPollAnimation();
  m_state.TaskActive[task::QuestionClock] = false;
  m_state.TaskActive[task::FriendReveal] = false;
  // The bed plays on under the judging; the lifelines' voices fall silent.
  StopAnyMurmur();
  PlayCue(Cue::LockIn);
}

void Game::TakeMoney() {
  m_screen.EnableElement(el::TakeMoney, false);
  m_state.GuaranteedSum = m_state.CurrentSum;
  StopBed();
  PlayCue(Cue::TakeMoney);
  EndGame(GameEnd::TookMoney);
}

void Game::EndGame(GameEnd how) {
  m_state.Ending = how;
  // The ladder shows what goes home, not how far the game got: after a wrong answer
  // on question 7 that is the 1 000 of question 5.
  const auto won = std::find(PrizeLadder.begin(), PrizeLadder.end(), m_state.GuaranteedSum);
  ShowLadderAt(won == PrizeLadder.end() ? 0 : int(won - PrizeLadder.begin()) + 1);
  if (m_state.GuaranteedSum > 0) ShowPanel(RecordPanel, true);
  else ShowPanel(how == GameEnd::TimeOut ? TimeoutPanel : LossPanel, true);
}

void Game::ShowLadderAt(int question) {
  for (int n = 1; n <= 15; ++n) m_screen.ShowLook(LadderRung(n), n < question ? RungLook::Won : n == question ? RungLook::Current : RungLook::NotWon);
}

void Game::AnswerRevealStep() {
  const int step = ++m_state.TaskStep[task::AnswerReveal];
  const ElementId chosen = *m_state.ChosenElement;
  const ElementId correct = AnswerElement(1);
  const bool right = chosen == correct;

  if (step == kShowChosen) {
    m_screen.ShowLook(chosen, AnswerLook::Chosen);
    m_screen.SetCaptionColour(chosen, kBlack);
    ShowPanel(PhonePanel, false);
    ShowPanel(AudiencePanel, false);
  } else if (ShowsCorrect(step)) {
    m_screen.ShowLook(correct, AnswerLook::Correct);
    m_screen.SetCaptionColour(correct, kBlack);
  } else if (BlinksOff(step)) {
    if (right) {
      m_screen.ShowLook(correct, AnswerLook::Chosen);
    } else {
      m_screen.ShowLook(correct, AnswerLook::Normal);
      m_screen.SetCaptionColour(correct, kWhite);
    }
  } else if (step >= kVerdict) {
    Verdict();
  }
}

void Game::Verdict() {
  const ElementId chosen = *m_state.ChosenElement;
  const ElementId correct = AnswerElement(1);
  const bool right = chosen == correct;

  m_screen.ShowLook(correct, AnswerLook::Normal);
  m_screen.ShowLook(chosen, AnswerLook::Normal);
  m_screen.SetCaptionColour(chosen, kWhite);
  m_screen.SetCaptionColour(correct, kWhite);
  m_state.TaskActive[task::AnswerReveal] = false;
  m_screen.SetVisible(el::ClockBar, false);

  if (!right) {
    StopBed();
    PlayCue(Cue::Wrong);
    EndGame(GameEnd::WrongAnswer);
    return;
  }
  const int n = m_state.QuestionNumber;
  if (n >= 1 && n <= 15) {
    m_screen.ShowLook(LadderRung(n), RungLook::Current);
    if (n > 1) m_screen.ShowLook(LadderRung(n - 1), RungLook::Won);
  }
  m_state.QuestionNumber = n + 1;
  if (m_state.QuestionNumber <= 15) {
    PlayCue(Cue::Right);
    PrepareQuestion();
  } else {
    StopBed();
    PlayCue(Cue::Million);
    m_state.GuaranteedSum = PrizeLadder[14];
    EndGame(GameEnd::WonAll);
  }
}
