#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::KeyPressed(int keyCode) {
  const bool modified = m_state.CtrlHeld || m_state.AltHeld;
  if (PageOpen()) {
    PageKeyDown(keyCode);
    keyCode = 0;  // the game beneath sees nothing of it
  }
  switch (keyCode) {
    case vk::Enter:
      switch (m_state.CurrentPanel) {
        case LeaderboardPanel: ClickElement(el::HideTable); break;
        case RecordPanel: ClickElement(el::VictoryConfirm); break;
        case LossPanel: ClickElement(el::LossConfirm); break;
        case TimeoutPanel: ClickElement(el::TimeoutConfirm); break;
        default: break;
      }
      break;
    case vk::Ctrl:
      m_state.CtrlHeld = true;
      break;
    case vk::Alt:
      m_state.AltHeld = true;
      break;
    case vk::Escape:
      RequestExit();
      break;
    case vk::Key1: case vk::Key2: case vk::Key3:
      ClickElement(keyCode - 40);
      break;
    case vk::A: case vk::B: case vk::C: case vk::D:
      ClickElement(keyCode - 63);
      break;
    case vk::K:
      if (m_state.CurrentPanel == LeaderboardPanel) ClickElement(el::ClearTable);
      break;
    case vk::M:
      if (modified) ClickElement(el::TakeMoney);
      break;
    case vk::Q: case vk::X:
      if (modified) RequestExit();
      break;
    case vk::W:
      if (modified) OpenLeaderboard();
      break;
    case vk::F2:
      // From the board a game has just led to, the next game is one key away.
      if (m_state.CurrentPanel == LeaderboardPanel) ShowPanel(LeaderboardPanel, false);
      if (m_newGameEnabled) NewGame();
      break;
    case vk::Up: case vk::Down: case vk::PageUp: case vk::PageDown: case vk::Home: case vk::End:
      if (m_state.CurrentPanel == LeaderboardPanel) ScrollBoardByKey(keyCode);
      break;
    case vk::F1:
      ShowRulesPage();
      break;
    case vk::S:
      // While the record panel is open the letters are the player's name.
      if (m_state.CurrentPanel != RecordPanel) SetSoundOn(!m_soundOn);
      break;
    default:
      break;
  }
  // A modifier counts only for the very next key.
  if (keyCode != vk::Ctrl && keyCode != vk::Alt) {
    m_state.CtrlHeld = false;
    m_state.AltHeld = false;
  }
}

void Game::KeyReleased(int keyCode) {
  if (keyCode == vk::Ctrl) m_state.CtrlHeld = false;
  if (keyCode == vk::Alt) m_state.AltHeld = false;
}

void Game::RequestExit() { m_platform.RequestClose(); }

bool Game::CloseRequested() {
  // Where leaving would lose a game or a result, Enter after a stray Esc keeps them.
  const bool atStake = GameInPlay() || m_state.CurrentPanel == RecordPanel;
  bool cancel = Confirm(u"Вы уверены, что хотите выйти?"_s,
                        atStake ? InfoBox::Answer::No : InfoBox::Answer::Yes) == InfoBox::Answer::No;
  // The message box may have taken the release of a modifier.
  m_state.CtrlHeld = false;
  m_state.AltHeld = false;
  // A result waiting for its name goes with what the box holds, as "Всё" would; it
  // and any result an earlier save could not store get their last try before they
  // would be lost.
  if (!cancel && m_state.CurrentPanel == RecordPanel) NameRecord();
  if (!cancel) cancel = !StoreUnsavedBeforeExit();
  return cancel;
}

bool Game::GameInPlay() const {
  // A new game enables the question frame; every end of a game disables it.
  return m_screen.element(el::QuestionFrame).enabled;
}
