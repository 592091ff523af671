#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::Form_KeyDown(int keyCode) {
  const bool modified = m_state.CtrlHeld || m_state.AltHeld;
  switch (keyCode) {
    case vk::Enter:
      switch (m_state.CurrentPanel) {
        case LeaderboardPanel: Picture1_Click(el::HideTable); break;
        case RecordPanel: Picture1_Click(el::VictoryConfirm); break;
        case LossPanel: Picture1_Click(el::LossConfirm); break;
        case TimeoutPanel: Picture1_Click(el::TimeoutConfirm); break;
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
      mnuMainExit_Click();
      break;
    case vk::Key1: case vk::Key2: case vk::Key3:
      Picture1_Click(keyCode - 40);
      break;
    case vk::A: case vk::B: case vk::C: case vk::D:
      Picture1_Click(keyCode - 63);
      break;
    case vk::K:
      if (m_state.CurrentPanel == LeaderboardPanel) Picture1_Click(el::ClearTable);
      break;
    case vk::M:
      if (modified) Picture1_Click(el::TakeMoney);
      break;
    case vk::Q: case vk::X:
      if (modified) mnuMainExit_Click();
      break;
    case vk::W:
      if (modified) mnuMainWinners_Click();
      break;
    case vk::F2:
      if (m_newGameEnabled) mnuMainNewGame_Click();
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

void Game::Form_KeyUp(int keyCode) {
  if (keyCode == vk::Ctrl) m_state.CtrlHeld = false;
  if (keyCode == vk::Alt) m_state.AltHeld = false;
}

void Game::mnuMainExit_Click() { m_platform.RequestClose(); }

bool Game::Form_Unload() {
  const bool cancel = InfoBox(u"Вы уверены, что хотите выйти???"_s, InfoBox::QuestionYesNo) ==
                      InfoBox::No;
  // The message box may have taken the release of a modifier.
  m_state.CtrlHeld = false;
  m_state.AltHeld = false;
  return cancel;
}
