#include "engine/game.h"
#include "screen/key_table.h"

using namespace Qt::StringLiterals;

void Game::KeyPressed(int key, Qt::KeyboardModifiers modifiers) {
  // While the pages are up they take every key: the game beneath sees nothing of it.
  const KeyBinding* binding = BindingOf(key, modifiers, PageOpen() ? KeyScope::Pages : KeyScope::Game);
  if (!binding) return;
  // While the record panel is open the letters are the player's name.
  if (m_panel == Panel::Record && binding->TypesText()) return;
  Perform(binding->command);
}

void Game::Perform(Command command) {
  switch (command) {
    case Command::NewGame:
      // From the board a game has just led to, the next game is one key away.
      if (m_panel == Panel::Leaderboard) ShowPanel(Panel::Leaderboard, false);
      if (m_newGameEnabled) NewGame();
      break;
    case Command::Confirm:
      switch (m_panel) {
        case Panel::Leaderboard: ClickElement(el::HideTable); break;
        case Panel::Record: ClickElement(el::VictoryConfirm); break;
        case Panel::Loss: ClickElement(el::LossConfirm); break;
        case Panel::Timeout: ClickElement(el::TimeoutConfirm); break;
        default: break;
      }
      break;
    case Command::ShowLeaderboard: OpenLeaderboard(); break;
    case Command::ClearBoard:
      if (m_panel == Panel::Leaderboard) ClickElement(el::ClearTable);
      break;
    case Command::ScrollBoardUp:
    case Command::ScrollBoardDown:
    case Command::ScrollBoardPageUp:
    case Command::ScrollBoardPageDown:
    case Command::ScrollBoardTop:
    case Command::ScrollBoardBottom:
      if (m_panel == Panel::Leaderboard) ScrollBoard(command);
      break;
    case Command::ToggleSound: SetSoundOn(!m_soundOn); break;
    case Command::Rules: ShowRulesPage(); break;
    case Command::About: ShowAboutPage(); break;
    case Command::RecordBook: ShowRecordBook(); break;
    case Command::ForgetRecords:
      // Over the pages, Del means something only on the record book.
      if (!PageOpen() || m_book == Book::RecordBook) ForgetRecordBook();
      break;
    case Command::PreviousPage: m_screen.TurnPage(-1); break;
    case Command::NextPage: m_screen.TurnPage(1); break;
    case Command::ClosePage: ClosePage(); break;
    case Command::OpenMenu: {
      const QRect box = m_screen.element(el::Menu).Box();
      m_platform.PopupMenu(box.left(), box.top() + box.height());
      break;
    }
    case Command::Minimise: m_platform.Minimise(); break;
    case Command::Exit: m_platform.RequestClose(); break;
    case Command::ZoomIn:
    case Command::ZoomOut:
    case Command::FullScreen: break;  // the window's own
    default:
      // The answers, the lifelines and taking the money: as a click on their button.
      if (const std::optional<ElementId> button = ButtonOf(command)) ClickElement(*button);
      break;
  }
}

bool Game::CloseRequested() {
  // Where leaving would lose a game or a result, Enter after a stray Esc keeps them.
  const bool atStake = GameInPlay() || m_panel == Panel::Record;
  bool cancel = Confirm(u"Вы уверены, что хотите выйти?"_s, atStake ? InfoBox::Answer::No : InfoBox::Answer::Yes) ==
                InfoBox::Answer::No;
  // A result waiting for its name goes with what the box holds, as "Всё" would; it
  // and any result an earlier save could not store get their last try before they
  // would be lost.
  if (!cancel && m_panel == Panel::Record) NameRecord();
  if (!cancel) cancel = !StoreUnsavedBeforeExit();
  // Finished games the history could not take yet get their last try; the player
  // was told when they first could not be kept.
  if (!cancel) WriteUnwrittenGames();
  return cancel;
}

bool Game::GameInPlay() const {
  // A new game enables the question frame; every end of a game disables it.
  return m_screen.element(el::QuestionFrame).enabled;
}
