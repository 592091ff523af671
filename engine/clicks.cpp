#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::ClickElement(int index) {
  if (index < 0 || index >= kElementCount) return;
  // Keys and caption clicks reach disabled elements too; they count for nothing.
  if (!m_screen.element(index).enabled) return;

  switch (index) {
    case el::AnswerA: case el::AnswerA + 1: case el::AnswerA + 2: case el::AnswerD:
      if (m_round.answersOpen) ChooseAnswer(index);
      break;
    case el::Close:
      RequestExit();
      break;
    case el::Menu: {
      const QRect box = m_screen.element(el::Menu).Box();
      m_platform.PopupMenu(box.left(), box.top() + box.height());
      break;
    }
    case el::FiftyFifty:
      if (m_round.answersOpen) UseFiftyFifty();
      break;
    case el::PhoneFriend:
      if (m_round.answersOpen) UsePhoneFriend();
      break;
    case el::AudiencePoll:
      if (m_round.answersOpen) UseAudiencePoll();
      break;
    case el::Minimise:
      m_platform.Minimise();
      break;
    case el::VictoryConfirm:
      ConfirmRecord();
      break;
    case el::LossConfirm:
      ShowPanel(Panel::Loss, false);
      ShowPanel(Panel::Leaderboard, true);
      break;
    case el::TakeMoney:
      if (m_round.answersOpen) TakeMoney();
      break;
    case el::HideTable:
      ShowPanel(Panel::Leaderboard, false);
      break;
    case el::ClearTable:
      ClearLeaderboard();
      break;
    case el::TimeoutConfirm:
      ShowPanel(Panel::Timeout, false);
      ShowPanel(Panel::Leaderboard, true);
      break;
    default:
      break;
  }
}
