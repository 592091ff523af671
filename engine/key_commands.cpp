#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::KeyPressed(int keyCode) {
  const bool modified = m_ctrlHeld || m_altHeld;
  if (PageOpen()) {
    PageKeyDown(keyCode);
    keyCode = 0;  // the game beneath sees nothing of it
  }
  switch (keyCode) {
    case vk::Enter:
      switch (m_panel) {
        case Panel::Leaderboard: ClickElement(el::HideTable); break;
        case Panel::Record: ClickElement(el::VictoryConfirm); break;
        case Panel::Loss: ClickElement(el::LossConfirm); break;
        case Panel::Timeout: ClickElement(el::TimeoutConfirm); break;
        default: break;
      }
      break;
    case vk::Ctrl:
      m_ctrlHeld = true;
      break;
    case vk::Alt:
      m_altHeld = true;
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
      if (m_panel == Panel::Leaderboard) ClickElement(el::ClearTable);
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
      if (m_panel == Panel::Leaderboard) ShowPanel(Panel::Leaderboard, false);
      if (m_newGameEnabled) NewGame();
      break;
    case vk::Up: case vk::Down: case vk::PageUp: case vk::PageDown: case vk::Home: case vk::End:
      if (m_panel == Panel::Leaderboard) ScrollBoardByKey(keyCode);
      break;
    case vk::F1:
      ShowRulesPage();
      break;
    case vk::S:
      // While the record panel is open the letters are the player's name.
      if (m_panel != Panel::Record) SetSoundOn(!m_soundOn);
      break;
    default:
      break;
  }
  // A modifier counts only for the very next key.
  if (keyCode != vk::Ctrl && keyCode != vk::Alt) {
    m_ctrlHeld = false;
    m_altHeld = false;
  }
}

void Game::KeyReleased(int keyCode) {
  if (keyCode == vk::Ctrl) m_ctrlHeld = false;
  if (keyCode == vk::Alt) m_altHeld = false;
}

void Game::RequestExit() { m_platform.RequestClose(); }

bool Game::CloseRequested() {
  // Where leaving would lose a game or a result, Enter after a stray Esc keeps them.
  const bool atStake = GameInPlay() || m_panel == Panel::Record;
  bool cancel =
      InfoBox(u"Вы уверены, что хотите выйти?"_s,
              atStake ? InfoBox::QuestionYesNoDefaultNo : InfoBox::QuestionYesNo) == InfoBox::No;
  // The message box may have taken the release of a modifier.
  m_ctrlHeld = false;
  m_altHeld = false;
  // A result waiting for its name goes with what the box holds, as "Всё" would; it
  // and any result an earlier save could not store get their last try before they
  // would be lost.
  if (!cancel && m_panel == Panel::Record) NameRecord();
  if (!cancel) cancel = !StoreUnsavedBeforeExit();
  return cancel;
}

bool Game::GameInPlay() const {
  // A new game enables the question frame; every end of a game disables it.
  return m_screen.element(el::QuestionFrame).enabled;
}
