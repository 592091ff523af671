#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::ShowPanel(Panel panel, bool visible) {
  switch (panel) {
    case Panel::Phone: m_screen.SetVisible(el::PhonePanel, visible); break;
    case Panel::Poll:
      m_screen.SetVisible(el::PollPanel, visible);
      for (const ElementId bar : kPollBars) m_screen.SetVisible(bar, visible);
      break;
    case Panel::Leaderboard: ShowLeaderboard(visible); break;
    case Panel::Record: ShowRecordPanel(visible); break;
    case Panel::Loss:
      ClearForResult();
      m_screen.SetVisible(el::LossPanel, visible);
      m_screen.SetVisible(el::LossConfirm, visible);
      break;
    case Panel::Timeout:
      ClearForResult();
      m_screen.SetVisible(el::TimeoutPanel, visible);
      m_screen.SetVisible(el::TimeoutConfirm, visible);
      break;
    case Panel::None: break;
  }
  m_panel = visible ? panel : Panel::None;
}
