#pragma once

/// The looks an element can show, one small set per kind of element. Each look is
/// one cell of the element's sheet; `CellOf` says which, and nothing else in the
/// game counts sheet rows.

/// What an element is, as far as its looks go: each kind below has its own set of
/// looks; a plain element has one look alone.
enum class ElementKind { Plain, Answer, Lifeline, Button, Rung, Title, Track, RecordPanel };

/// A cell of a sheet grid, counted from 1.
struct SheetCell {
  int column = 1;
  int row = 1;
  friend constexpr bool operator==(SheetCell, SheetCell) = default;
};

/// The four answers.
enum class AnswerLook { Normal = 1, Chosen, Correct, Pointed };
/// The three lifelines and «Взять деньги»; `Used` also shows while they take no click.
enum class LifelineLook { Normal = 1, Pressed, Pointed, Used };
/// Plain buttons: exit, menu, minimise, the scroll arrows and thumb, the panels'
/// confirm buttons, hide and clear the board.
enum class ButtonLook { Normal = 1, Pressed, Pointed };
/// A rung of the prize ladder.
enum class RungLook { NotWon = 1, Won, Current };
/// The title strip the window is dragged by.
enum class TitleLook { Normal = 1, Pointed };
/// The leaderboard's scroll track; its looks stand side by side.
enum class TrackLook { Normal = 1, Pressed };

/// The headings of the record panel's sheet. Each is drawn twice: first over the
/// strip the name box lies on, then, for a result that gets no row, without it.
enum class RecordHeading { Victory = 1, WrongAnswer = 2, TimeOut = 3 };
/// A look of the record panel: its heading, with or without the name strip.
struct RecordPanelLook {
  RecordHeading heading = RecordHeading::Victory;
  bool nameStrip = true;
};
constexpr int kRecordPanelLooks = 6;

constexpr SheetCell CellOf(AnswerLook look) { return {1, int(look)}; }
constexpr SheetCell CellOf(LifelineLook look) { return {1, int(look)}; }
constexpr SheetCell CellOf(ButtonLook look) { return {1, int(look)}; }
constexpr SheetCell CellOf(RungLook look) { return {1, int(look)}; }
constexpr SheetCell CellOf(TitleLook look) { return {1, int(look)}; }
constexpr SheetCell CellOf(TrackLook look) { return {int(look), 1}; }
constexpr SheetCell CellOf(RecordPanelLook look) { return {1, int(look.heading) + (look.nameStrip ? 0 : 3)}; }

constexpr ElementKind KindOfLook(AnswerLook) { return ElementKind::Answer; }
constexpr ElementKind KindOfLook(LifelineLook) { return ElementKind::Lifeline; }
constexpr ElementKind KindOfLook(ButtonLook) { return ElementKind::Button; }
constexpr ElementKind KindOfLook(RungLook) { return ElementKind::Rung; }
constexpr ElementKind KindOfLook(TitleLook) { return ElementKind::Title; }
constexpr ElementKind KindOfLook(TrackLook) { return ElementKind::Track; }
constexpr ElementKind KindOfLook(RecordPanelLook) { return ElementKind::RecordPanel; }
