#include "screen/command.h"

#include "screen/element.h"

namespace {

struct ButtonCommand {
  int element;
  Command command;
};

/// Buttons and the commands they give. The panels' confirmations all give `Confirm`.
constexpr ButtonCommand kButtonCommands[] = {
    {PositionElement(1), Command::ChooseA},     {PositionElement(2), Command::ChooseB},
    {PositionElement(3), Command::ChooseC},     {PositionElement(4), Command::ChooseD},
    {el::FiftyFifty, Command::FiftyFifty},      {el::PhoneFriend, Command::PhoneFriend},
    {el::AudiencePoll, Command::AudiencePoll},  {el::TakeMoney, Command::TakeMoney},
    {el::ClearTable, Command::ClearBoard},      {el::VictoryConfirm, Command::Confirm},
    {el::LossConfirm, Command::Confirm},        {el::TimeoutConfirm, Command::Confirm},
    {el::HideTable, Command::Confirm},
};

}  // namespace

Command ChooseAnswer(int position) {
  constexpr Command kChoices[] = {Command::ChooseA, Command::ChooseB, Command::ChooseC, Command::ChooseD};
  return kChoices[position - 1];
}

int ButtonOf(Command command) {
  if (command == Command::Confirm) return -1;
  for (const ButtonCommand& b : kButtonCommands)
    if (b.command == command) return b.element;
  return -1;
}

std::optional<Command> CommandOfButton(int element) {
  for (const ButtonCommand& b : kButtonCommands)
    if (b.element == element) return b.command;
  return std::nullopt;
}
