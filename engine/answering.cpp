#include "engine/game.h"

namespace {

constexpr PackedColour kBlack = Rgb(0, 0, 0);
constexpr PackedColour kWhite = Rgb(255, 255, 255);

// Ticks of the judging sequence, counted from the tick that shows the choice.
constexpr int kShowChosen = 1;
constexpr int kVerdict = 48;

bool ShowsCorrect(int step) { return step == 21 || step == 33 || step == 39 || step == 45; }
bool BlinksOff(int step) { return step == 30 || step == 36 || step == 42; }

}  // namespace

void Game::Picture1_Click(int index) {
  if (index < 0 || index >= kElementCount) return;
  // Keys and caption clicks reach disabled elements too; they count for nothing.
  if (!m_screen.element(index).enabled) return;

  switch (index) {
    case el::AnswerA: case el::AnswerA + 1: case el::AnswerA + 2: case el::AnswerD:
      if (m_state.AnswersOpen) ChooseAnswer(index);
      break;
    case el::Close:
      mnuMainExit_Click();
      break;
    case el::Menu: {
      const QRect box = m_screen.element(el::Menu).Box();
      m_platform.PopupMenu(box.left(), box.top() + box.height());
      break;
    }
    case el::FiftyFifty:
      if (m_state.AnswersOpen) UseFiftyFifty();
      break;
    case el::PhoneFriend:
      if (m_state.AnswersOpen) UsePhoneFriend();
      break;
    case el::AudiencePoll:
      if (m_state.AnswersOpen) UseAudiencePoll();
      break;
    case el::Minimise:
      m_platform.Minimise();
      break;
    case el::VictoryConfirm:
      ConfirmRecord();
      break;
    case el::LossConfirm:
      ShowPanel(LossPanel, false);
      ShowPanel(LeaderboardPanel, true);
      break;
    case el::TakeMoney:
      if (m_state.AnswersOpen) TakeMoney();
      break;
    case el::HideTable:
      ShowPanel(LeaderboardPanel, false);
      break;
    case el::ClearTable:
      ClearLeaderboard();
      break;
    case el::TimeoutConfirm:
      ShowPanel(TimeoutPanel, false);
      ShowPanel(LeaderboardPanel, true);
      break;
    default:
      break;
  }
}

void Game::ChooseAnswer(int index) {
  Picture1_MouseMove(0, 0, 0, 1, 1);
  m_state.AnswersOpen = false;
  m_state.ChosenElement = qint16(index);
  m_state.TaskStep[task::AnswerReveal] = 0;
  m_state.TaskActive[task::AnswerReveal] = true;
  m_state.TaskActive[task::PollAnimation] = false;
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
  ShowPanel(RecordPanel, true);
}

void Game::Timer1_Timer() {
  m_platform.SetWindowCaption(m_platform.TimeAndDate());
  // A task switched on by an earlier step runs in this same tick when its index is
  // higher: the verdict's next question shows its first character at once.
  if (m_state.TaskActive[task::AnswerReveal]) AnswerRevealStep();
  if (m_state.TaskActive[task::PollAnimation]) PollAnimationStep();
  if (m_state.TaskActive[task::QuestionClock]) QuestionClockStep();
  if (m_state.TaskActive[task::QuestionReveal]) QuestionRevealStep();
  if (m_state.TaskActive[task::FriendReveal]) FriendRevealStep();
}

void Game::AnswerRevealStep() {
  const int step = ++m_state.TaskStep[task::AnswerReveal];
  const int chosen = m_state.ChosenElement;
  const int correct = AnswerElement(1);
  const bool right = chosen == correct;

  if (step == kShowChosen) {
    m_screen.PaintRow(chosen, 2, 4);
    m_screen.SetCaptionColour(chosen, kBlack);
    ShowPanel(PhonePanel, false);
    ShowPanel(AudiencePanel, false);
  } else if (ShowsCorrect(step)) {
    m_screen.PaintRow(correct, 3, 4);
    m_screen.SetCaptionColour(correct, kBlack);
  } else if (BlinksOff(step)) {
    if (right) {
      m_screen.PaintRow(correct, 2, 4);
    } else {
      m_screen.PaintRow(correct, 1, 4);
      m_screen.SetCaptionColour(correct, kWhite);
    }
  } else if (step >= kVerdict) {
    Verdict();
  }
}

void Game::Verdict() {
  const int chosen = m_state.ChosenElement;
  const int correct = AnswerElement(1);
  const bool right = chosen == correct;

  m_screen.PaintRow(correct, 1, 4);
  m_screen.PaintRow(chosen, 1, 4);
  m_screen.SetCaptionColour(chosen, kWhite);
  m_screen.SetCaptionColour(correct, kWhite);
  m_state.TaskActive[task::AnswerReveal] = false;
  m_screen.SetVisible(el::ClockBar, false);
  StopBed();

  if (!right) {
    PlayCue(Cue::Wrong);
    ShowPanel(m_state.GuaranteedSum > 0 ? RecordPanel : LossPanel, true);
    return;
  }
  const int n = m_state.QuestionNumber;
  if (n >= 1 && n <= 15) {
    m_screen.PaintRow(LadderElement(n), 3, 3);
    if (n > 1) m_screen.PaintRow(LadderElement(n - 1), 2, 3);
  }
  m_state.QuestionNumber = quint8(n + 1);
  if (m_state.QuestionNumber <= 15) {
    PlayCue(Cue::Right);
    PrepareQuestion();
  } else {
    PlayCue(Cue::Million);
    m_state.GuaranteedSum = PrizeLadder[14];
    ShowPanel(RecordPanel, true);
  }
}
