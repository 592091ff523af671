#include "screen/element.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include "screen/element_table.h"
#include "screen/question_buttons.h"
#include "screen/sheet_files.h"

namespace {

// The fit climbs from here and never settles above the cap.
constexpr int kFitStartSize = 6;
constexpr int kFitMaxSize = 14;
// Below this a caption is unreadable anyway; the search gives up here.
constexpr int kFitMinSize = 4;

bool IsFitted(ElementId index) { return index == el::QuestionFrame || IsAnswerSlot(index); }

/// Boxes are half-open: a point on the right or bottom edge belongs to the box that
/// begins there, so two touching elements never both claim it.
bool Holds(const QRectF& box, QPointF point) {
  return point.x() >= box.left() && point.x() < box.left() + box.width() && point.y() >= box.top() &&
         point.y() < box.top() + box.height();
}

/// `cell` of `sheet` without copying its pixels: the face reads them where the
/// sheet keeps them, and holds the sheet for as long as it lives. A sheet is never
/// written to, so the two cannot drift apart.
QImage CellOf(const QImage& sheet, const QRect& cell) {
  const uchar* first =
      sheet.constBits() + qsizetype(cell.top()) * sheet.bytesPerLine() + qsizetype(cell.left()) * (sheet.depth() / 8);
  return QImage(
      first, cell.width(), cell.height(), sheet.bytesPerLine(), sheet.format(),
      [](void* held) { delete static_cast<QImage*>(held); }, new QImage(sheet));
}

}  // namespace

Screen::Screen(TextMeasurer& measurer, SheetLoader sheets)
    : m_measurer(measurer), m_sheets(sheets ? std::move(sheets) : SheetLoader(&LoadSheet)) {}

const QImage& Screen::OwnSheet(ElementId element) {
  std::optional<QImage>& slot = m_ownSheets[IndexOf(element)];
  if (!slot) {
    QImage sheet = m_sheets(element);
    // One pixel format for every sheet: faces then share its pixels as they are.
    if (!sheet.isNull() && sheet.format() != QImage::Format_RGB32) sheet = sheet.convertToFormat(QImage::Format_RGB32);
    slot = std::move(sheet);
  }
  return *slot;
}

void Screen::BuildScreen() {
  for (const ElementId i : AllElements()) {
    const ElementSpec& layout = SpecOf(i);
    SetupElement(layout.source, i, layout.left, layout.top, layout.width, layout.height, qRgb(0, 0, 0), TooltipOf(i),
                 layout.visible);
  }
  SetupNameBox(el::VictoryPanel, namebox::Left, namebox::Top, namebox::Right, namebox::Bottom, namebox::TextColour,
               namebox::BackColour, true);
  int styleCount = 0;
  const CaptionStyle* styles = CaptionStyles(&styleCount);
  for (int k = 0; k < styleCount; ++k) {
    const CaptionStyle& s = styles[k];
    SetupElementLabel(s.index, s.leftMargin, s.topMargin, s.rightMargin, s.bottomMargin, QString::fromUtf16(s.fontName),
                      s.fontSize, s.alignment, s.style, s.colour, s.pointedColour);
  }
  m_board = EmptyBoardView(element(el::Leaderboard).width);
  for (const BoardColumn column : kBoardColumns) SetBoardColumn(column, QString());
  // Hidden elements too, so every panel shows its first cell when it is first shown.
  for (const ElementId i : AllElements()) ShowCell(i, SheetCell{}, KindOf(i));
}

void Screen::SetupElement(ElementId source, ElementId target, qreal left, qreal top, qreal width, qreal height,
                          QRgb backColour, const QString& toolTip, bool visible) {
  // Every box is black underneath; a never-painted face shows that black.
  Q_UNUSED(backColour);
  Element& e = m_elements[IndexOf(target)];
  MarkElementDirty(target);
  e.sheetSource = source;
  e.fullWidth = width;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  e.tooltip = toolTip;
  e.caption.tooltip = toolTip;
  e.visible = visible;
  MarkElementDirty(target);
}

void Screen::SetupElementLabel(ElementId index, qreal leftMargin, qreal topMargin, qreal rightMargin,
                               qreal bottomMargin, const QString& fontName, int fontSize, int alignment, int style,
                               QRgb colour, std::optional<QRgb> pointedColour) {
  Element& e = m_elements[IndexOf(index)];
  const Element& measuring = e;
  Caption& c = e.caption;
  MarkCaptionDirty(index);
  e.captionBox = QRectF(leftMargin, topMargin, measuring.width - leftMargin - rightMargin,
                        measuring.height - topMargin - bottomMargin);
  e.pointedCaptionColour = pointedColour;
  e.captionColour = colour;
  c.colour = colour;
  c.left = leftMargin;
  c.top = topMargin;
  c.width = e.captionBox.width();
  c.alignment = alignment == 1 ? CaptionAlign::Right : alignment == 2 ? CaptionAlign::Centre : CaptionAlign::Left;
  c.font.face = fontName;
  c.font.size = fontSize;
  switch (style) {
    case 0: c.font.bold = c.font.italic = c.font.underline = c.font.strikeout = false; break;
    case 1: c.font.bold = true; break;
    case 2: c.font.italic = true; break;
    case 3: c.font.underline = true; break;
    case 4: c.font.strikeout = true; break;
    default: break;
  }
  c.visible = true;
  if (IsFitted(index)) m_fitFonts[IndexOf(index)] = c.font;
  RelayoutCaptionHeight(index);
  MarkCaptionDirty(index);
}

void Screen::SetupNameBox(ElementId index, qreal left, qreal top, qreal right, qreal bottom, QRgb textColour,
                          QRgb backColour, bool visible) {
  Q_UNUSED(index);  // the victory panel holds the only name box
  m_nameBox.rect = QRect(qRound(left), qRound(top), qRound(right - left), qRound(bottom - top));
  m_nameBox.textColour = textColour;
  m_nameBox.backColour = backColour;
  m_nameBox.visible = visible;
  ++m_nameBox.revision;
}

void Screen::ShowCell(ElementId index, SheetCell cell, ElementKind kind) {
  Q_ASSERT(KindOf(index) == kind);
  const ElementGrid grid = GridOf(index);
  const int column = cell.column, row = cell.row, columnCount = grid.columns, rowCount = grid.rows;
  Element& e = m_elements[IndexOf(index)];
  if (!e.sheetSource) return;
  const QImage& sheet = OwnSheet(*e.sheetSource);
  if (sheet.isNull() || columnCount < 1 || rowCount < 1) return;
  const QRect box = e.Box();
  if (box.width() <= 0 || box.height() <= 0) return;

  const float w = float(sheet.width()), h = float(sheet.height());
  const float cw = w / float(columnCount), ch = h / float(rowCount);
  const float sx = w / float(columnCount) * float(column - 1);
  const float sy = h / float(rowCount) * float(row - 1);

  const bool oneToOne =
      cw == float(box.width()) && ch == float(box.height()) && sx == std::floor(sx) && sy == std::floor(sy);
  if (oneToOne) {
    e.face = CellOf(sheet, QRect(int(sx), int(sy), box.width(), box.height()));
  } else {
    QImage face(box.size(), QImage::Format_RGB32);
    face.fill(Qt::black);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(0, 0, box.width(), box.height()), sheet, QRectF(sx, sy, cw, ch));
    painter.end();
    e.face = std::move(face);
  }
  e.faceSheet = e.sheetSource;
  e.faceSource = QRectF(sx, sy, cw, ch);
  MarkElementDirty(index);
}

void Screen::EnableElement(ElementId index, bool enabled) {
  Element& e = m_elements[IndexOf(index)];
  if (e.enabled != enabled || e.caption.enabled != enabled) {
    e.enabled = enabled;
    e.caption.enabled = enabled;
    MarkCaptionDirty(index);
  }
  if (IsAnswerSlot(index)) {
    // The normal look whole: face and caption colour. Switched off under the pointer,
    // an answer would otherwise carry its pointed-at colour into the next question.
    ShowLook(index, AnswerLook::Normal);
    SetCaptionColour(index, e.captionColour);
    if (e.caption.visible != enabled) {
      e.caption.visible = enabled;
      MarkCaptionDirty(index);
    }
  } else if (IsQuestionButton(index)) {
    ShowLook(index, enabled ? LifelineLook::Normal : LifelineLook::Used);
  }
}

void Screen::SetCaption(ElementId index, const QString& text, const QString& tip, int size) {
  Element& e = m_elements[IndexOf(index)];
  Caption& c = e.caption;
  QString newText = text;
  bool relayout = false;

  qreal width = e.captionBox.width();
  if (size == 0 && IsFitted(index)) {
    const qreal fitted = FitCaption(index, newText, width);
    if (c.font.size != fitted) {
      c.font.size = fitted;
      relayout = true;
    }
  } else if (size > 0) {
    if (c.font.size != size) {
      c.font.size = size;
      relayout = true;
    }
    if (IsFitted(index) && newText.isEmpty()) newText = c.text;
    qreal wrapWidth = width;
    if (const FrameOutline* outline = CaptionOutline(index);
        outline && !FitsAt(index, newText, c.font, wrapWidth, &width))
      width = std::min(width, RoomWithin(*outline, index, e.captionBox.height()));
  }

  if (tip != e.tooltip || tip != c.tooltip) {
    e.tooltip = tip;
    c.tooltip = tip;
  }

  if (newText != c.text) {
    c.text = newText;
    relayout = true;
  }

  // Narrower than its box only within a frame's outline, and then centred.
  const qreal left = e.captionBox.left() + (e.captionBox.width() - width) / 2;
  if (c.left != left) {
    MarkCaptionDirty(index);
    c.left = left;
    relayout = true;
  }
  if (c.width != width) {
    MarkCaptionDirty(index);
    c.width = width;
    relayout = true;
  }
  if (relayout) RelayoutCaptionHeight(index);

  const float t = (float(e.captionBox.height()) - float(c.height)) / 2.0f + float(e.captionBox.top());
  SetCaptionTop(index, t);
}

qreal Screen::FitCaption(ElementId index, const QString& text, qreal& width) {
  CaptionFont& font = m_fitFonts[IndexOf(index)];
  const QRectF box = element(index).captionBox;
  int s = kFitStartSize;
  bool shrinking = false;
  int r = 0;
  // A wrapping width the outline narrowed stays narrowed for the larger sizes,
  // whose text is taller still, so that they need not narrow it all over again.
  qreal wrapWidth = box.width();
  do {
    font.size = s;
    qreal fittingWidth = wrapWidth;
    if (!FitsAt(index, text, font, fittingWidth, &width)) {
      --s;
      shrinking = true;
      if (s < kFitMinSize) r = kFitMinSize;
    } else {
      wrapWidth = fittingWidth;
      if (shrinking) {
        r = s;
      } else {
        ++s;
      }
    }
    if (s > kFitMaxSize) r = kFitMaxSize;
  } while (r == 0);
  font.size = r;
  // Text that fits at no size overflows its box; within an outline it keeps at
  // least clear of the slanted ends, where they come closest.
  if (s < kFitMinSize) {
    width = box.width();
    if (const FrameOutline* outline = CaptionOutline(index))
      width = std::min(width, RoomWithin(*outline, index, box.height()));
  }
  return m_measurer.ReportedSize(font);
}

bool Screen::FitsAt(ElementId index, const QString& text, const CaptionFont& font, qreal& width, qreal* shown) {
  const QRectF box = element(index).captionBox;
  const FrameOutline* outline = CaptionOutline(index);
  // Each narrowing makes the text taller and so the room smaller; a few rounds
  // settle it, and text that needs more is too tall at this size anyway.
  constexpr int kNarrowings = 4;
  qreal tried = width;
  for (int round = 0; round <= kNarrowings; ++round) {
    // Two pixels of slack: the visible caption wraps at the full width.
    const QSizeF measured = m_measurer.Measure(text, font, tried - 2);
    ++m_measurements;
    if (measured.height() > box.height() || measured.width() > tried) return false;
    const qreal room = outline ? RoomWithin(*outline, index, measured.height()) : tried;
    if (measured.width() <= room) {
      width = tried;
      if (shown) *shown = std::min(tried, room);
      return true;
    }
    tried = room;
  }
  return false;
}

qreal Screen::RoomWithin(const FrameOutline& outline, ElementId index, qreal height) const {
  // Keeps the glyphs off the line itself, which is drawn wider than a pixel.
  constexpr qreal kMargin = 2;
  const QRectF box = element(index).captionBox;
  const qreal middle = box.top() + box.height() / 2;
  const qreal reach = std::abs(middle - (outline.top + outline.bottom) / 2) + height / 2;
  return outline.WidthWithin(reach, kMargin);
}

void Screen::RelayoutCaptionHeight(ElementId index) {
  Caption& c = m_elements[IndexOf(index)].caption;
  const qreal height = m_measurer.Measure(c.text, c.font, c.width).height();
  MarkCaptionDirty(index);
  c.height = height;
  MarkCaptionDirty(index);
}

void Screen::SetVisible(ElementId index, bool visible) {
  Element& e = m_elements[IndexOf(index)];
  if (e.visible == visible) return;
  e.visible = visible;
  MarkElementDirty(index);
  MarkCaptionDirty(index);
}

void Screen::SetWidth(ElementId index, qreal width) {
  Element& e = m_elements[IndexOf(index)];
  if (e.width == width) return;
  MarkElementDirty(index);
  e.width = width;
  MarkElementDirty(index);
}

void Screen::SetTop(ElementId index, qreal top) {
  Element& e = m_elements[IndexOf(index)];
  if (e.top == top) return;
  MarkElementDirty(index);
  e.top = top;
  MarkElementDirty(index);
}

void Screen::SetCaptionTop(ElementId index, qreal top) {
  Caption& c = m_elements[IndexOf(index)].caption;
  if (c.top == top) return;
  MarkCaptionDirty(index);
  c.top = top;
  MarkCaptionDirty(index);
}

void Screen::SetCaptionColour(ElementId index, QRgb colour) {
  Caption& c = m_elements[IndexOf(index)].caption;
  if (c.colour == colour) return;
  c.colour = colour;
  MarkCaptionDirty(index);
}

void Screen::SetCaptionEnabled(ElementId index, bool enabled) {
  Caption& c = m_elements[IndexOf(index)].caption;
  if (c.enabled == enabled) return;
  c.enabled = enabled;
  MarkCaptionDirty(index);
}

void Screen::SetNameBoxText(const QString& text, bool selectAll) {
  m_nameBox.text = text.left(m_nameBox.maxLength);
  m_nameBox.selectionStart = 0;
  m_nameBox.selectionLength = selectAll ? int(m_nameBox.text.size()) : 0;
  ++m_nameBox.revision;
}

void Screen::SetNameBoxShown(bool shown) {
  if (m_nameBox.visible == shown) return;
  m_nameBox.visible = shown;
  ++m_nameBox.revision;
}

QString Screen::OneLine(BoardColumn column, const QString& text) {
  // Nothing longer is ever one line of a caption: even the narrowest glyphs of the
  // smallest font take more than a pixel each.
  constexpr qsizetype kLongest = 512;
  QString line = text.left(kLongest);
  for (QChar& c : line) {
    const QChar::Category category = c.category();
    if (c.unicode() < 32 || category == QChar::Other_Control || category == QChar::Separator_Line ||
        category == QChar::Separator_Paragraph) {
      c = u'?';
    }
  }
  const CaptionFont& font = m_board.column(column).font;
  const qreal width = m_board.column(column).width;
  ++m_measurements;
  const qreal lineHeight = m_measurer.Measure(QString(), font, width).height();
  const auto fits = [&](const QString& candidate) {
    ++m_measurements;
    const QSizeF size = m_measurer.Measure(candidate, font, width);
    return size.width() <= width + 0.01 && size.height() <= lineHeight + 0.01;
  };
  if (line.size() == text.size() && fits(line)) return line;
  // The longest beginning that fits with the ellipsis behind it.
  const QString ellipsis = QStringLiteral("\u2026");
  qsizetype low = 0, high = line.size();
  while (low < high) {
    const qsizetype middle = (low + high + 1) / 2;
    if (fits(line.left(middle) + ellipsis)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return line.left(low) + ellipsis;
}

QRectF Screen::CaptionRect(ElementId index) const {
  const Element& e = element(index);
  const Caption& c = e.caption;
  return QRectF(e.Box().left() + c.left, e.Box().top() + c.top, c.width, c.height);
}

void Screen::SetBoardColumn(BoardColumn column, const QString& text) {
  BoardColumnView& c = m_board.columns[std::size_t(column)];
  MarkBoardDirty();
  c.text = text;
  c.height = m_measurer.Measure(c.text, c.font, c.width).height();
  m_board.top = 0;
  MarkBoardDirty();
}

void Screen::ScrollBoardTo(qreal top) {
  if (m_board.top == top) return;
  MarkBoardDirty();
  m_board.top = top;
  MarkBoardDirty();
}

QRectF Screen::BoardColumnRect(BoardColumn column) const {
  const QRect box = element(el::Leaderboard).Box();
  const BoardColumnView& c = m_board.column(column);
  return QRectF(box.left() + c.left, box.top() + m_board.top, c.width, c.height);
}

QRectF Screen::ListRowRect(int row) const {
  const BoardColumnView& ranks = m_board.column(BoardColumn::Rank);
  // One line per row: the rank column holds "1." … "n." and nothing else.
  const qsizetype rows = ranks.text.isEmpty() ? 0 : ranks.text.count(QStringLiteral("\r\n")) + 1;
  if (row < 1 || row > rows) return QRectF();
  const qreal line = ranks.height / qreal(rows);
  const QRect panel = element(el::Leaderboard).Box();
  return QRectF(panel.left(), panel.top() + m_board.top + (row - 1) * line, panel.width(), line);
}

void Screen::SetSoundOffSign(bool shown) {
  if (m_soundOffSign == shown) return;
  m_soundOffSign = shown;
  MarkDirty(kSoundOffSign);
}

void Screen::SetListHighlight(int row) {
  if (m_listHighlight == row) return;
  m_listHighlight = row;
  MarkElementDirty(el::Leaderboard);
}

ElementId Screen::ElementAt(QPointF windowPoint) const {
  constexpr auto kAll = AllElements();
  for (auto i = kAll.rbegin(); i != kAll.rend(); ++i) {
    const Element& e = element(*i);
    if (e.visible && Holds(QRectF(e.Box()), windowPoint)) return *i;
  }
  return el::Background;
}

std::optional<ElementId> Screen::CaptionAt(QPointF windowPoint) const {
  // An element's caption is drawn right after its face, so it lies under every face
  // above it.
  constexpr auto kAll = AllElements();
  for (auto i = kAll.rbegin(); i != kAll.rend(); ++i) {
    const Caption& c = element(*i).caption;
    const Element& e = element(*i);
    if (c.visible && e.visible && !c.text.isEmpty() && Holds(CaptionRect(*i).intersected(QRectF(e.Box())), windowPoint))
      return *i;
    // The list is drawn right after the board's own caption, under every face above.
    if (*i == el::Leaderboard && e.visible) {
      for (const BoardColumn column : kBoardColumns) {
        if (!m_board.column(column).text.isEmpty() &&
            Holds(BoardColumnRect(column).intersected(QRectF(e.Box())), windowPoint))
          return el::Leaderboard;
      }
    }
    if (e.visible && Holds(QRectF(e.Box()), windowPoint)) return std::nullopt;
  }
  return std::nullopt;
}

void Screen::ShowPages(QList<InfoPage> pages) {
  m_pages.Show(std::move(pages));
  MarkDirty(PageView::kBox);
}

void Screen::HidePages() {
  if (!m_pages.visible()) return;
  m_pages.Hide();
  MarkDirty(PageView::kBox);
}

bool Screen::TurnPage(int delta) {
  if (!m_pages.Turn(delta)) return false;
  MarkDirty(PageView::kBox);
  return true;
}

QRegion Screen::TakeDirty() {
  QRegion dirty;
  dirty.swap(m_dirty);
  return dirty;
}

void Screen::MarkDirty(const QRectF& rect) {
  const QRect r = rect.toAlignedRect().intersected(QRect(0, 0, 640, 480));
  if (!r.isEmpty()) m_dirty += r;
}

void Screen::MarkElementDirty(ElementId index) { MarkDirty(QRectF(element(index).Box())); }

void Screen::MarkCaptionDirty(ElementId index) {
  // Text can stick out sideways (a word wider than the caption) but is always
  // clipped to the owner's box, so the whole width of that box is marked.
  const QRectF ownerBox(element(index).Box());
  QRectF r = CaptionRect(index);
  r.setLeft(ownerBox.left());
  r.setRight(ownerBox.right());
  MarkDirty(r.intersected(ownerBox));
}

void Screen::MarkBoardDirty() {
  // Lines stick out of their column sideways at most as far as the board's box,
  // which clips them.
  const QRectF box(element(el::Leaderboard).Box());
  for (const BoardColumn column : kBoardColumns) {
    QRectF r = BoardColumnRect(column);
    r.setLeft(box.left());
    r.setRight(box.right());
    MarkDirty(r.intersected(box));
  }
}
