#pragma once

#include <QPolygonF>
#include <QString>

#include <QColor>
#include "screen/element.h"
#include "screen/element_looks.h"

/// Everything fixed about one element: its sheet, where `BuildScreen` lays it out
/// and which looks it has.
struct ElementSpec {
  ElementId id;
  /// Name of its own sheet file in the art ("answer_a" for ":/art/answer_a.bmp");
  /// empty when it paints from another element's sheet.
  const char16_t* sheet;
  ElementId source;  ///< element whose sheet it paints from
  qreal left, top, width, height;
  const char16_t* tooltip;  ///< empty: none; the title strip builds its own
  bool visible;
  ElementKind kind;
};

/// The sheet grid of an element, which follows from its kind.
struct ElementGrid {
  int columns = 1;
  int rows = 1;
};

/// The style `BuildScreen` gives one of the fifteen styled captions.
struct CaptionStyle {
  ElementId index;
  qreal leftMargin, topMargin, rightMargin, bottomMargin;
  const char16_t* fontName;
  int fontSize;
  int alignment;  ///< 0 left, 1 right, 2 centre
  int style;      ///< 0 plain, 1 bold, 2 italic, 3 underline, 4 strikethrough
  QRgb colour;
  std::optional<QRgb> pointedColour;
};

/// How a button element answers the pointer; elements that are no plain button
/// (answers, lifelines, the title strip, the scroll track) have their own rules.
struct ButtonLooks {
  bool hover = false;          ///< shows `ButtonLook::Pointed` under the pointer
  bool plainPress = false;     ///< shows `ButtonLook::Pressed`, and does nothing more on a press
  bool releaseNormal = false;  ///< back to the normal look when the button comes up
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
const FrameOutline* CaptionOutline(ElementId id);

/// The table's entry for element `id`.
const ElementSpec& SpecOf(ElementId id);
/// Button looks of element `id`; all off for elements that are no plain button.
ButtonLooks ButtonLooksOf(ElementId id);
/// Kind of element `id`.
inline ElementKind KindOf(ElementId id) { return SpecOf(id).kind; }
/// Grid of element `id`'s sheet: as many cells as its kind has looks.
ElementGrid GridOf(ElementId id);
/// The styled captions, in the order they are set up.
const CaptionStyle* CaptionStyles(int* count);
/// The title strip's tooltip: game title and program version.
QString TitleTooltip();
/// The tooltip element `id` gets: its name from the table, then, for the buttons
/// whose key the screen does not show, the key ("клавиша 1", "Ctrl+M").
QString TooltipOf(ElementId id);

/// The name box of the record panel, inside the panel's box.
namespace namebox {
constexpr qreal Left = 83, Top = 103, Right = 465, Bottom = 117;
constexpr QRgb TextColour = qRgb(0, 0, 112);
constexpr QRgb BackColour = qRgb(112, 106, 6);
}  // namespace namebox
