#include "screen/element_table.h"

#include <algorithm>
#include <array>

#include "screen/game_version.h"
#include "screen/key_table.h"
#include "screen/question_buttons.h"

using namespace Qt::StringLiterals;

namespace {

constexpr PackedColour kWhite = Rgb(255, 255, 255);
constexpr PackedColour kPointedAnswer = Rgb(128, 255, 192);

// Index order; the ladder rows of questions 1 and 15 are taller than the others.
constexpr std::array<ElementLayout, kElementsInUse> kLayout = {{
    {0, 0, 0, 640, 480, u"", true},
    {1, 167, 22, 473, 113, u"", true},
    {2, 167, 135, 237, 51, u"Вариант A", true},
    {3, 404, 135, 236, 51, u"Вариант B", true},
    {4, 167, 186, 237, 51, u"Вариант C", true},
    {5, 404, 186, 236, 51, u"Вариант D", true},
    {6, 619, 0, 21, 21, u"Выход", true},
    {7, 0, 0, 21, 21, u"Меню", true},
    {8, 21, 0, 577, 21, u"", true},
    {9, 166, 237, 158, 67, u"50/50", true},
    {10, 324, 237, 158, 67, u"Звонок другу", true},
    {11, 482, 237, 158, 67, u"Мнение зала", true},
    {12, 0, 420, 166, 34, u"", true},
    {13, 0, 392, 166, 28, u"", true},
    {14, 0, 364, 166, 28, u"", true},
    {15, 0, 336, 166, 28, u"", true},
    {16, 0, 308, 166, 28, u"", true},
    {17, 0, 280, 166, 28, u"", true},
    {18, 0, 252, 166, 28, u"", true},
    {19, 0, 224, 166, 28, u"", true},
    {20, 0, 196, 166, 28, u"", true},
    {21, 0, 168, 166, 28, u"", true},
    {22, 0, 140, 166, 28, u"", true},
    {23, 0, 112, 166, 28, u"", true},
    {24, 0, 84, 166, 28, u"", true},
    {25, 0, 56, 166, 28, u"", true},
    {26, 0, 22, 166, 34, u"", true},
    {27, 167, 305, 473, 149, u"", false},
    {28, 167, 305, 473, 149, u"", false},
    {29, 201, 319, 434, 19, u"Вариант A", false},
    {29, 201, 353, 434, 19, u"Вариант B", false},
    {29, 201, 387, 434, 19, u"Вариант C", false},
    {29, 201, 421, 434, 19, u"Вариант D", false},
    {33, 0, 455, 587, 25, u"", true},
    {34, 0, 455, 587, 25, u"Прошло времени", false},
    {35, 598, 0, 21, 21, u"Свернуть", true},
    {36, 167, 43, 451, 389, u"", false},
    {37, 618, 43, 22, 389, u"", false},
    {38, 618, 21, 22, 22, u"Вверх", false},
    {39, 618, 432, 22, 22, u"Вниз", false},
    {40, 619, 43, 20, 40, u"", false},
    {41, 167, 305, 473, 128, u"", false},
    {42, 167, 433, 473, 21, u"Всё", false},
    {43, 167, 305, 473, 128, u"", false},
    {44, 167, 433, 473, 21, u"Хорошо", false},
    {45, 587, 455, 53, 25, u"Взять деньги", true},
    {46, 393, 432, 225, 22, u"Скрыть таблицу", false},
    {47, 167, 432, 226, 22, u"Очистить таблицу", false},
    {48, 167, 305, 473, 128, u"", false},
    {49, 167, 433, 473, 21, u"Хорошо", false},
    {50, 167, 21, 451, 22, u"", false},
}};

// Rows of each sheet: 1 × 4 answers (normal, chosen, correct, pointed) and
// lifelines with "Взять деньги" (normal, pressed, pointed, used); 1 × 3 buttons
// (normal, pressed, pointed) and ladder rows (not won, won, current sum); 1 × 2
// title strip (normal, pointed); the scroll track is 2 × 1 (normal, pressed); the
// record panel one row per heading, with and without its name strip.
constexpr std::array<ElementGrid, kElementsInUse> kGrids = {{
    {1, 1}, {1, 1}, {1, 4}, {1, 4}, {1, 4}, {1, 4},  // 0 … 5
    {1, 3}, {1, 3}, {1, 2},                          // 6 … 8
    {1, 4}, {1, 4}, {1, 4},                          // 9 … 11
    {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3},  // 12 … 19
    {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 3},          // 20 … 26
    {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1},  // 27 … 34
    {1, 3}, {1, 1}, {2, 1}, {1, 3}, {1, 3}, {1, 3},                  // 35 … 40
    {1, kRecordPanelLooks}, {1, 3}, {1, 1}, {1, 3}, {1, 4},          // 41 … 45
    {1, 3}, {1, 3}, {1, 1}, {1, 3}, {1, 1},                          // 46 … 50
}};

constexpr std::array<CaptionStyle, 15> kCaptionStyles = {{
    {1, 20, 10, 20, 10, u"Arial Cyr", 12, 2, 1, kWhite, kNoColour},
    {2, 47, 6, 16, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {3, 41, 6, 19, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {4, 47, 6, 16, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {5, 42, 6, 19, 8, u"Arial Cyr", 10, 0, 1, kWhite, kPointedAnswer},
    {27, 130, 10, 10, 10, u"Times New Roman", 15, 2, 0, kWhite, kNoColour},
    {29, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, kNoColour},
    {30, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, kNoColour},
    {31, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, kNoColour},
    {32, 0, 0, 397, 0, u"MS Sans Serif", 10, 2, 1, kWhite, kNoColour},
    {34, 0, 0, 547, 0, u"Comic Sans MS", 12, 2, 0, kWhite, kNoColour},
    {36, 0, 0, 420, 0, u"Arial Cyr", 10, 2, 1, Rgb(207, 26, 156), kNoColour},
    {38, 36, 0, 88, 0, u"Arial Cyr", 10, 2, 2, Rgb(26, 186, 207), kNoColour},
    {39, 366, 0, 0, 0, u"Arial Cyr", 10, 2, 1, Rgb(106, 207, 26), kNoColour},
    // Below the panel's painted heading, above its name strip: four lines fit.
    {41, 10, 27, 10, 30, u"Arial Cyr", 11, 2, 2, kWhite, kNoColour},
}};

}  // namespace

const ElementLayout& LayoutOf(int index) { return kLayout[index]; }

ButtonLooks ButtonLooksOf(int index) {
  constexpr ButtonLooks kPushButton{true, true, true};
  struct Entry {
    int element;
    ButtonLooks looks;
  };
  static constexpr Entry kButtons[] = {
      {el::Close, kPushButton},
      // Stays pressed while the popup menu it opens is shown.
      {el::Menu, {true, true, false}},
      {el::Minimise, kPushButton},
      // The scroll arrows and the thumb scroll on a press.
      {el::ScrollUp, {true, false, true}},
      {el::ScrollDown, {true, false, true}},
      {el::ScrollThumb, {true, false, false}},
      {el::VictoryConfirm, kPushButton},
      {el::LossConfirm, kPushButton},
      {el::HideTable, kPushButton},
      {el::ClearTable, kPushButton},
      {el::TimeoutConfirm, kPushButton},
  };
  for (const Entry& entry : kButtons) {
    if (entry.element == index) return entry.looks;
  }
  return {};
}

ElementGrid GridOf(int index) {
  return index >= 0 && index < kElementsInUse ? kGrids[index] : ElementGrid{};
}

const CaptionStyle* CaptionStyles(int* count) {
  *count = int(kCaptionStyles.size());
  return kCaptionStyles.data();
}

qreal FrameOutline::WidthWithin(qreal reach, qreal margin) const {
  const qreal half = (bottom - top) / 2;
  if (reach > half) return 0;
  const qreal slant = inset * std::max<qreal>(reach, 0) / half;
  return std::max<qreal>(right - left - 2 * (slant + margin), 0);
}

QPolygonF FrameOutline::Polygon() const {
  const qreal mid = (top + bottom) / 2;
  return QPolygonF({{left, mid}, {left + inset, top}, {right - inset, top}, {right, mid},
                    {right - inset, bottom}, {left + inset, bottom}});
}

const FrameOutline* CaptionOutline(int index) {
  // The thin inner line of the question frame's art: text between the slanted
  // ends would otherwise run over them in the corners.
  static constexpr FrameOutline kQuestionFrame{14, 10, 459, 103, 38};
  return index == el::QuestionFrame ? &kQuestionFrame : nullptr;
}

QString TitleTooltip() {
  return u"О, фартовик!   v"_s + GameVersion();
}

QString TooltipOf(int index) {
  if (index == el::TitleStrip) return TitleTooltip();
  const QString name = QString::fromUtf16(LayoutOf(index).tooltip);
  // The buttons of the open question have no letter on them; their tooltips give the key.
  if (!IsQuestionButton(index)) return name;
  return name + u" ("_s + KeyHint(*CommandOfButton(index)) + u')';
}
