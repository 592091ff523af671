#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QString>

#include <array>
#include <functional>
#include <optional>

#include <QColor>
#include "screen/board_view.h"
#include "screen/element_id.h"
#include "screen/element_looks.h"
#include "screen/info_pages.h"
#include "screen/text_measurer.h"

/// Text drawn over an element, laid out inside its `CaptionBox`.
struct FrameOutline;

struct Caption {
  QString text;
  QString tooltip;
  CaptionFont font;
  CaptionAlign alignment = CaptionAlign::Left;
  QRgb colour = qRgb(255, 255, 255);
  /// Place inside the owner's box; height follows the wrapped text.
  qreal left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  bool enabled = true;
};

/// One screen element: its persistent face, its sheet and its caption.
struct Element {
  qreal left = 0, top = 0, width = 0, height = 0;  ///< window pixels
  std::optional<ElementId> sheetSource;            ///< element whose sheet this one paints from
  QImage face;                                     ///< what was last painted; null: never painted, shows black
  std::optional<ElementId> faceSheet;              ///< element whose sheet the face was cut from
  QRectF faceSource;                               ///< the part of that sheet the face shows, in sheet pixels
  QString tooltip;
  bool visible = false;
  bool enabled = true;
  Caption caption;
  QRectF captionBox;  ///< where the caption may lie, inside the owner's box
  qreal fullWidth = 0;
  QRgb captionColour = qRgb(255, 255, 255);
  std::optional<QRgb> pointedCaptionColour;  ///< none: pointing leaves the colour

  /// The box as shown: fractional widths are rounded to whole pixels.
  QRect Box() const { return QRect(qRound(left), qRound(top), qRound(width), qRound(height)); }
};

/// The one-line name entry of the record panel. The window mirrors it with a real
/// line edit; `revision` tells the view that the model changed it.
struct NameBox {
  QRect rect;  ///< inside the record panel's box
  QString text;
  int selectionStart = 0;
  int selectionLength = 0;
  int maxLength = 25;
  QRgb textColour = 0;
  QRgb backColour = 0;
  bool visible = false;
  int revision = 0;
};

/// The whole skinned screen as a model: elements, captions, the name box. It knows
/// nothing of windows; the view paints it and feeds it pointer positions.
class Screen {
 public:
  using SheetLoader = std::function<QImage(ElementId element)>;

  /// `sheets` loads an element's own sheet (null image: none); by default the
  /// embedded art.
  explicit Screen(TextMeasurer& measurer, SheetLoader sheets = {});

  // Layout, once at start-up.
  void BuildScreen();
  void SetupElement(ElementId source, ElementId target, qreal left, qreal top, qreal width, qreal height,
                    QRgb backColour, const QString& toolTip, bool visible);
  void SetupElementLabel(ElementId index, qreal leftMargin, qreal topMargin, qreal rightMargin, qreal bottomMargin,
                         const QString& fontName, int fontSize, int alignment, int style, QRgb colour,
                         std::optional<QRgb> pointedColour);
  void SetupNameBox(ElementId index, qreal left, qreal top, qreal right, qreal bottom, QRgb textColour, QRgb backColour,
                    bool visible);

  // The only ways a look or availability changes.
  /// Shows `look` on element `index`, which must be of the look's kind.
  template <class Look>
  void ShowLook(ElementId index, Look look) {
    ShowCell(index, CellOf(look), KindOfLook(look));
  }
  void EnableElement(ElementId index, bool enabled);

  /// Sets caption text and tooltip; size 0 fits elements 1 … 5, other sizes are
  /// points (with an empty text on 1 … 5 only the size changes).
  void SetCaption(ElementId index, const QString& text, const QString& tip, int size);

  // Plain property changes; each marks what it touches for repaint.
  void SetVisible(ElementId index, bool visible);
  void SetWidth(ElementId index, qreal width);
  void SetTop(ElementId index, qreal top);
  void SetCaptionTop(ElementId index, qreal top);
  void SetCaptionColour(ElementId index, QRgb colour);
  void SetCaptionEnabled(ElementId index, bool enabled);

  const Element& element(ElementId index) const { return m_elements[IndexOf(index)]; }
  NameBox& nameBox() { return m_nameBox; }
  const NameBox& nameBox() const { return m_nameBox; }
  /// Sets the name box text (selecting all of it when asked) and bumps its revision.
  void SetNameBoxText(const QString& text, bool selectAll);
  /// Whether the name box is there when its panel is shown.
  void SetNameBoxShown(bool shown);

  /// The caption's rectangle in window pixels.
  QRectF CaptionRect(ElementId index) const;

  // The leaderboard's list, drawn in the board's box.
  const BoardView& board() const { return m_board; }
  /// `text` as one line of `column`: control characters (line breaks, NUL …) shown
  /// as "?", and what does not fit the column's width cut off behind "…". The rows
  /// of the three columns must stay beside one another.
  QString OneLine(BoardColumn column, const QString& text);
  /// Sets a column's lines; the list goes back to its top, unscrolled.
  void SetBoardColumn(BoardColumn column, const QString& text);
  /// Moves the list's top to `top` inside the board's box (below 0: scrolled down).
  void ScrollBoardTo(qreal top);
  /// The column's rectangle, the whole list as it is scrolled now, in window pixels.
  QRectF BoardColumnRect(BoardColumn column) const;

  /// Row `row` (from 1) of the leaderboard's list where the list stands now, across
  /// the whole panel, in window pixels; empty when the list has no such row.
  QRectF ListRowRect(int row) const;
  /// A crossed-out speaker at the right end of the title strip while sound is off.
  static constexpr QRect kSoundOffSign{574, 3, 20, 15};
  void SetSoundOffSign(bool shown);
  bool soundOffSign() const { return m_soundOffSign; }

  /// Lights row `row` of the leaderboard's list (0: none) behind its text.
  void SetListHighlight(int row);
  int listHighlight() const { return m_listHighlight; }

  /// Topmost visible element under a window point (later in painting order on top);
  /// the background when none. Disabled elements count: the caller decides what
  /// they receive.
  ElementId ElementAt(QPointF windowPoint) const;
  /// Topmost visible caption with text under a window point, if any; the board's
  /// list counts as the board's caption.
  std::optional<ElementId> CaptionAt(QPointF windowPoint) const;

  // The pages over the game: the rules and the about page.
  const PageView& pages() const { return m_pages; }
  void ShowPages(QList<InfoPage> pages);
  void HidePages();
  /// Moves by `delta` pages; false when there is no such page.
  bool TurnPage(int delta);

  /// Window pixels changed since the last call.
  QRegion TakeDirty();
  /// Text measurements made so far (the fit's cost).
  int measurements() const { return m_measurements; }

 private:
  /// Cuts the face of element `index` from `cell` of its sheet, laid out as the
  /// grid of `kind`.
  void ShowCell(ElementId index, SheetCell cell, ElementKind kind);
  void MarkDirty(const QRectF& rect);
  void MarkElementDirty(ElementId index);
  void MarkCaptionDirty(ElementId index);
  const QImage& OwnSheet(ElementId element);
  /// The fitted size; `width` becomes the width the caption may take at it.
  qreal FitCaption(ElementId index, const QString& text, qreal& width);
  /// Whether `text` fits caption `index` at `font`, wrapped a little narrower than
  /// `width`. Where the frame's outline leaves too little room for the text so
  /// wrapped, `width` narrows to the room; when it fits, `shown` is the width the
  /// caption may take.
  bool FitsAt(ElementId index, const QString& text, const CaptionFont& font, qreal& width, qreal* shown);
  /// The widest a centred caption block `height` pixels high may be within `outline`.
  qreal RoomWithin(const FrameOutline& outline, ElementId index, qreal height) const;
  void RelayoutCaptionHeight(ElementId index);
  void MarkBoardDirty();

  TextMeasurer& m_measurer;
  SheetLoader m_sheets;
  /// Each element's own sheet, loaded when a face is first cut from it.
  std::array<std::optional<QImage>, kElementCount> m_ownSheets;
  std::array<Element, kElementCount> m_elements;
  /// The fonts the fit of the question and the answers tries sizes in, apart from
  /// the fonts their captions show.
  std::array<CaptionFont, kElementCount> m_fitFonts;
  BoardView m_board;
  NameBox m_nameBox;
  PageView m_pages;
  QRegion m_dirty;
  int m_measurements = 0;
  int m_listHighlight = 0;
  bool m_soundOffSign = false;
};
