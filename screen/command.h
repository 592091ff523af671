#pragma once

#include <optional>

#include "screen/element_id.h"

/// What the player can ask of the game or its window, whether by key, menu or button.
/// The engine carries out the game's commands; the window carries out its own
/// (zoom, full screen).
enum class Command {
  NewGame,
  ChooseA,
  ChooseB,
  ChooseC,
  ChooseD,
  FiftyFifty,
  PhoneFriend,
  AudiencePoll,
  TakeMoney,
  /// The panel on screen: its confirmation, or hiding the leaderboard.
  Confirm,
  ShowLeaderboard,
  ClearBoard,
  // The leaderboard's list: a row, a panel, to either end.
  ScrollBoardUp,
  ScrollBoardDown,
  ScrollBoardPageUp,
  ScrollBoardPageDown,
  ScrollBoardTop,
  ScrollBoardBottom,
  ToggleSound,
  Rules,
  About,
  /// The player's record book over the games played.
  RecordBook,
  /// Forgets every game the record book counts, after asking.
  ForgetRecords,
  // The pages over the game.
  PreviousPage,
  NextPage,
  ClosePage,
  OpenMenu,
  Minimise,
  Exit,
  // For a player who listens: move among the answers, lifelines and «Взять деньги»
  // and press the one reached; hear the question again, or the seconds left.
  NextControl,
  PreviousControl,
  PressControl,
  RepeatQuestion,
  TellTime,
  // The window's view.
  ZoomIn,
  ZoomOut,
  FullScreen,
};

/// The answer position's (1 = A … 4 = D) choice.
Command ChooseAnswer(int position);

/// The button a command presses, for the commands a button of the screen also gives
/// (answers, lifelines, taking the money, clearing the board); none for the others.
/// `Confirm` presses whichever panel's button is on screen, so it has none here.
std::optional<ElementId> ButtonOf(Command command);

/// The command a button gives where a key gives it as well, for the key hints of
/// tooltips and screen readers.
std::optional<Command> CommandOfButton(ElementId element);
