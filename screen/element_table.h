#pragma once

#include <QPolygonF>
#include <QString>

#include "screen/colour.h"
#include "screen/element.h"

/// Where and how `BuildScreen` lays out one element.
struct ElementLayout {
  int source;  ///< element whose sheet it paints from
  qreal left, top, width, height;
  const char16_t* tooltip;  ///< empty: none; element 8 builds its own
  bool visible;
};

/// The fixed sheet grid of an element: which cell means which look.
struct ElementGrid {
  int columns = 1;
  int rows = 1;
};

/// The style `BuildScreen` gives one of the fifteen styled captions.
struct CaptionStyle {
  int index;
  qreal leftMargin, topMargin, rightMargin, bottomMargin;
  const char16_t* fontName;
  int fontSize;
  int alignment;  ///< 0 left, 1 right, 2 centre
  int style;      ///< 0 plain, 1 bold, 2 italic, 3 underline, 4 strikethrough
  PackedColour colour;
  PackedColour pointedColour;
};

/// How a button element answers the pointer; elements that are no plain button
/// (answers, lifelines, the title strip, the scroll track) have their own rules.
struct ButtonLooks {
  bool hover = false;         ///< pointed-at look in row 3 of 3
  bool plainPress = false;    ///< pressed look in row 2 of 3, and nothing more on a press
  bool releaseNormal = false; ///< back to the normal look when the button comes up
};

/// A frame drawn on an element's face whose ends come to a point at mid-height,
/// in the element's own pixels: the top and bottom edges run from left + inset to
/// right − inset.
struct FrameOutline {
  qreal left, top, right, bottom, inset;

  /// Width of a block centred on the frame that reaches `reach` pixels above and
  /// below its middle row and keeps `margin` pixels from the slanted ends; 0 where
  /// the block leaves the frame.
  qreal WidthWithin(qreal reach, qreal margin) const;
  QPolygonF Polygon() const;
};

/// The line inside which the caption of element `index` must stay, where its
/// face's frame is not a plain box; nullptr elsewhere. Such a caption is centred.
const FrameOutline* CaptionOutline(int index);

/// Layout of element `index` (0 … 50).
const ElementLayout& LayoutOf(int index);
/// Button looks of element `index`; all off for elements that are no plain button.
ButtonLooks ButtonLooksOf(int index);
/// Grid of element `index`; 1 × 1 for the spare slots.
ElementGrid GridOf(int index);
/// The styled captions, in the order they are set up.
const CaptionStyle* CaptionStyles(int* count);
/// The title strip's tooltip: game title and program version.
QString TitleTooltip();
/// The tooltip element `index` gets: its name from the layout, then, for the buttons
/// whose key the screen does not show, the key ("клавиша 1", "Ctrl+M").
QString TooltipOf(int index);

/// The headings of the record panel's sheet. Each is drawn twice: first over the
/// strip the name box lies on, then, for a result that gets no row, without it.
enum class RecordHeading { Victory = 1, WrongAnswer = 2, TimeOut = 3 };
constexpr int kRecordPanelLooks = 6;
/// The record panel's sheet row for `heading`, with or without the name strip.
constexpr int RecordPanelRow(RecordHeading heading, bool nameStrip) {
  return int(heading) + (nameStrip ? 0 : 3);
}

/// The name box of the victory panel, inside element 41's box.
namespace namebox {
constexpr qreal Left = 83, Top = 103, Right = 465, Bottom = 117;
constexpr PackedColour TextColour = Rgb(0, 0, 112);
constexpr PackedColour BackColour = Rgb(112, 106, 6);
}  // namespace namebox
