#include "screen/command.h"

#include "screen/element_id.h"

namespace {

struct ButtonCommand {
  ElementId element;
  Command command;
};

/// Buttons and the commands they give. The panels' confirmations all give `Confirm`.
constexpr ButtonCommand kButtonCommands[] = {
    {AnswerSlot(1), Command::ChooseA},         {AnswerSlot(2), Command::ChooseB},
    {AnswerSlot(3), Command::ChooseC},         {AnswerSlot(4), Command::ChooseD},
    {el::FiftyFifty, Command::FiftyFifty},     {el::PhoneFriend, Command::PhoneFriend},
    {el::AudiencePoll, Command::AudiencePoll}, {el::TakeMoney, Command::TakeMoney},
    {el::ClearTable, Command::ClearBoard},     {el::VictoryConfirm, Command::Confirm},
    {el::LossConfirm, Command::Confirm},       {el::TimeoutConfirm, Command::Confirm},
    {el::HideTable, Command::Confirm},
};

}  // namespace

Command ChooseAnswer(int position) {
  constexpr Command kChoices[] = {Command::ChooseA, Command::ChooseB, Command::ChooseC, Command::ChooseD};
  return kChoices[position - 1];
}

std::optional<ElementId> ButtonOf(Command command) {
  if (command == Command::Confirm) return std::nullopt;
  for (const ButtonCommand& b : kButtonCommands)
    if (b.command == command) return b.element;
  return std::nullopt;
}

std::optional<Command> CommandOfButton(ElementId element) {
  for (const ButtonCommand& b : kButtonCommands)
    if (b.element == element) return b.command;
  return std::nullopt;
}
