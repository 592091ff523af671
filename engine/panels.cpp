#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::ShowPanel(int mode, bool visible) {
  switch (mode) {
    case PhonePanel:
      m_screen.SetVisible(el::PhonePanel, visible);
      break;
    case AudiencePanel:
      m_screen.SetVisible(el::PollPanel, visible);
      for (const ElementId bar : kPollBars) m_screen.SetVisible(bar, visible);
      break;
    case LeaderboardPanel:
      ShowLeaderboard(visible);
      break;
    case RecordPanel:
      ShowRecordPanel(visible);
      break;
    case LossPanel:
      ShowStartScreen(1);
      m_screen.SetVisible(el::LossPanel, visible);
      m_screen.SetVisible(el::LossConfirm, visible);
      break;
    case TimeoutPanel:
      ShowStartScreen(1);
      m_screen.SetVisible(el::TimeoutPanel, visible);
      m_screen.SetVisible(el::TimeoutConfirm, visible);
      break;
    default:
      break;
  }
  m_state.CurrentPanel = visible ? mode : 0;
}

