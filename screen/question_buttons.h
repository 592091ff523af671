#pragma once

#include <algorithm>
#include <array>

#include "screen/element_id.h"

/// The buttons that act on the open question: the three lifelines and taking the
/// money. They share their looks and react only while the answers are open.
inline constexpr std::array<ElementId, 4> kQuestionButtons = {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll,
                                                              el::TakeMoney};

constexpr bool IsQuestionButton(ElementId element) {
  return std::find(kQuestionButtons.begin(), kQuestionButtons.end(), element) != kQuestionButtons.end();
}
