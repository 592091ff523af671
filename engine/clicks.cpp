#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::ClickElement(ElementId index) {
  // Keys and caption clicks reach disabled elements too; they count for nothing.
  if (!m_screen.element(index).enabled) return;

  switch (index) {
    case el::AnswerA:
    case el::AnswerB:
    case el::AnswerC:
    case el::AnswerD:
      if (m_round.answersOpen) ChooseAnswer(index);
      break;
    case el::Close: Perform(Command::Exit); break;
    case el::Menu: Perform(Command::OpenMenu); break;
    case el::FiftyFifty:
      if (m_round.answersOpen) UseFiftyFifty();
      break;
    case el::PhoneFriend:
      if (m_round.answersOpen) UsePhoneFriend();
      break;
    case el::AudiencePoll:
      if (m_round.answersOpen) UseAudiencePoll();
      break;
    case el::Minimise: Perform(Command::Minimise); break;
    case el::VictoryConfirm: ConfirmRecord(); break;
    case el::LossConfirm:
      ShowPanel(Panel::Loss, false);
      ShowPanel(Panel::Leaderboard, true);
      break;
    case el::TakeMoney:
      if (m_round.answersOpen) TakeMoney();
      break;
    case el::HideTable: ShowPanel(Panel::Leaderboard, false); break;
    case el::ClearTable: ClearLeaderboard(); break;
    case el::TimeoutConfirm:
      ShowPanel(Panel::Timeout, false);
      ShowPanel(Panel::Leaderboard, true);
      break;
    default: break;
  }
}
