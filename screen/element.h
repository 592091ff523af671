#pragma once

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QString>

#include <array>
#include <functional>
#include <optional>

#include "screen/colour.h"
#include "screen/info_pages.h"
#include "screen/text_measurer.h"

constexpr int kElementCount = 56;  ///< slots 0 … 55
constexpr int kElementsInUse = 51; ///< 0 … 50 are laid out; 51 … 55 stay spare

/// Element indices every part of the game shares.
namespace el {
constexpr int Background = 0, QuestionFrame = 1, AnswerA = 2, AnswerD = 5;
constexpr int Close = 6, Menu = 7, TitleStrip = 8;
constexpr int FiftyFifty = 9, PhoneFriend = 10, AudiencePoll = 11;
constexpr int LadderFirst = 12, LadderLast = 26;
constexpr int PhonePanel = 27, PollPanel = 28, PollBarA = 29, PollBarD = 32;
constexpr int ClockStrip = 33, ClockBar = 34, Minimise = 35;
constexpr int Leaderboard = 36, ScrollTrack = 37, ScrollUp = 38, ScrollDown = 39, ScrollThumb = 40;
constexpr int VictoryPanel = 41, VictoryConfirm = 42, LossPanel = 43, LossConfirm = 44;
constexpr int TakeMoney = 45, HideTable = 46, ClearTable = 47, TimeoutPanel = 48, TimeoutConfirm = 49;
constexpr int LeaderboardHeader = 50;
// The leaderboard's three columns are the captions of the board and of the two
// scroll arrows, which stand beside the board's ranks.
constexpr int RankColumn = Leaderboard, NameColumn = ScrollUp, SumColumn = ScrollDown;
constexpr int LeaderboardColumns[] = {RankColumn, NameColumn, SumColumn};
}  // namespace el

/// Ladder row of question n (1 … 15), bottom to top.
constexpr int LadderElement(int questionNumber) { return questionNumber + 11; }
/// Element showing answer position p (1 = A … 4 = D).
constexpr int PositionElement(int position) { return position + 1; }

/// Text drawn over an element, laid out inside its `CaptionBox`.
struct FrameOutline;

struct Caption {
  QString text;
  QString tooltip;
  CaptionFont font;
  CaptionAlign alignment = CaptionAlign::Left;
  PackedColour colour = Rgb(255, 255, 255);
  /// Place inside the owner's box; height follows the wrapped text.
  qreal left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  bool enabled = true;
};

/// One screen element: its persistent face, its sheet and its caption.
struct Element {
  qreal left = 0, top = 0, width = 0, height = 0;  ///< window pixels
  int sheetSource = -1;     ///< element whose sheet this one paints from; -1: none
  QImage face;              ///< what was last painted; null: never painted, shows black
  int faceSheet = -1;       ///< element whose sheet the face was cut from
  QRectF faceSource;        ///< the part of that sheet the face shows, in sheet pixels
  QString tooltip;
  bool visible = false;
  bool enabled = true;
  Caption caption;
  QRectF captionBox;        ///< `Image3(i)`: inside the owner's box
  qreal fullWidth = 0;
  PackedColour captionColour = Rgb(255, 255, 255);
  PackedColour pointedCaptionColour = kNoColour;

  /// The box as shown: fractional widths are rounded to whole pixels.
  QRect Box() const {
    return QRect(qRound(left), qRound(top), qRound(width), qRound(height));
  }
};

/// `Text1(41)`: the one-line name entry of the victory panel. The window mirrors it
/// with a real line edit; `revision` tells the view that the model changed it.
struct NameBox {
  QRect rect;  ///< inside element 41's box
  QString text;
  int selectionStart = 0;
  int selectionLength = 0;
  int maxLength = 25;
  PackedColour textColour = 0;
  PackedColour backColour = 0;
  bool visible = false;
  int revision = 0;
};

/// The whole skinned screen as a model: elements, captions, the name box. It knows
/// nothing of windows; the view paints it and feeds it pointer positions.
class Screen {
 public:
  using SheetLoader = std::function<QImage(int element)>;

  /// `sheets` loads an element's own sheet (null image: none); by default the
  /// embedded art.
  explicit Screen(TextMeasurer& measurer, SheetLoader sheets = {});

  // Layout, once at start-up.
  void BuildScreen();
  void SetupElement(int source, int target, qreal left, qreal top, qreal width, qreal height,
                    PackedColour backColour, const QString& toolTip, bool visible);
  void SetupElementLabel(int index, qreal leftMargin, qreal topMargin, qreal rightMargin,
                         qreal bottomMargin, const QString& fontName, int fontSize,
                         int alignment, int style, PackedColour colour, PackedColour pointedColour);
  void SetupNameBox(int index, qreal left, qreal top, qreal right, qreal bottom,
                    PackedColour textColour, PackedColour backColour, bool visible);

  // The only ways a look or availability changes.
  void DrawElementState(int index, int column, int row, int columnCount, int rowCount);
  void EnableElement(int index, bool enabled);
  /// Paints row `row` of a 1 × `rowCount` grid.
  void PaintRow(int index, int row, int rowCount) { DrawElementState(index, 1, row, 1, rowCount); }

  /// Sets caption text and tooltip; size 0 fits elements 1 … 5, other sizes are
  /// points (with an empty text on 1 … 5 only the size changes).
  void SetCaption(int index, const QString& text, const QString& tip, int size);

  // Plain property changes; each marks what it touches for repaint.
  void SetVisible(int index, bool visible);
  void SetWidth(int index, qreal width);
  void SetTop(int index, qreal top);
  void SetCaptionTop(int index, qreal top);
  void SetCaptionColour(int index, PackedColour colour);
  void SetCaptionEnabled(int index, bool enabled);

  const Element& element(int index) const { return m_elements[index]; }
  NameBox& nameBox() { return m_nameBox; }
  const NameBox& nameBox() const { return m_nameBox; }
  /// Sets the name box text (selecting all of it when asked) and bumps its revision.
  void SetNameBoxText(const QString& text, bool selectAll);
  /// Whether the name box is there when its panel is shown.
  void SetNameBoxShown(bool shown);

  /// The element whose box the caption `index` lies in: the leaderboard's for its
  /// name and sum columns, the element itself otherwise.
  static int CaptionOwner(int index) {
    return index == el::NameColumn || index == el::SumColumn ? el::RankColumn : index;
  }
  /// `text` as one line of caption `index`: control characters (line breaks, NUL …)
  /// shown as "?", and what does not fit the caption's width cut off behind "…".
  /// For lists whose lines must stay beside one another.
  QString OneLine(int index, const QString& text);

  /// The caption's rectangle in window pixels.
  QRectF CaptionRect(int index) const;

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

  /// Topmost visible element under a window point (higher index on top); 0 when
  /// none. Disabled elements count: the caller decides what they receive.
  int ElementAt(QPointF windowPoint) const;
  /// Topmost visible caption with text under a window point, or -1.
  int CaptionAt(QPointF windowPoint) const;

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
  void MarkDirty(const QRectF& rect);
  void MarkElementDirty(int index);
  void MarkCaptionDirty(int index);
  const QImage& OwnSheet(int element);
  /// The fitted size; `width` becomes the width the caption may take at it.
  qreal FitCaption(int index, const QString& text, qreal& width);
  /// Whether `text` fits caption `index` at `font`, wrapped a little narrower than
  /// `width`. Where the frame's outline leaves too little room for the text so
  /// wrapped, `width` narrows to the room; when it fits, `shown` is the width the
  /// caption may take.
  bool FitsAt(int index, const QString& text, const CaptionFont& font, qreal& width, qreal* shown);
  /// The widest a centred caption block `height` pixels high may be within `outline`.
  qreal RoomWithin(const FrameOutline& outline, int index, qreal height) const;
  void RelayoutCaptionHeight(int index);

  TextMeasurer& m_measurer;
  SheetLoader m_sheets;
  /// `Image2(i)`, loaded when a face is first cut from it.
  std::array<std::optional<QImage>, kElementCount> m_ownSheets;
  std::array<Element, kElementCount> m_elements;
  std::array<CaptionFont, 6> m_testLabelFonts;     ///< `TestLabel(1 … 5)`
  NameBox m_nameBox;
  PageView m_pages;
  QRegion m_dirty;
  int m_measurements = 0;
  int m_listHighlight = 0;
  bool m_soundOffSign = false;
};
