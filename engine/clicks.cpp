#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::ClickElement(ElementId index) {
  // Keys and caption clicks reach disabled elements too; they count for nothing.
  if (!m_screen.element(index).enabled) return;

  switch (index) {
    case el::AnswerA: case el::AnswerB: case el::AnswerC: case el::AnswerD:
      if (m_state.AnswersOpen) ChooseAnswer(index);
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
