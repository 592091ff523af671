#pragma once

#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>

#include "screen/element_id.h"

/// The `<img>` of a page that shows element `id` in its first look, as its sheet
/// draws it. The page painter has the pictures of the lifelines and «Взять деньги».
QString PictureOf(ElementId id);
/// The source such an `<img>` names.
QString PictureSource(ElementId id);

/// One page of text laid over the game: a title and a body in Qt's rich-text subset.
struct InfoPage {
  QString title;
  QString body;
};

/// The pages over the game (the rules, the about page): a small book shown one page
/// at a time over everything below the title strip. While it is up the game beneath
/// takes no input.
class PageView {
 public:
  /// Where the pages lie on the window.
  static constexpr QRect kBox{0, 21, 640, 459};
  /// Where a page's body is laid out (window pixels).
  static constexpr QRect kBodyBox{34, 84, 572, 352};
  /// The footer's page-turning controls (window pixels).
  static constexpr QRect kPreviousBox{14, 444, 120, 28};
  static constexpr QRect kNextBox{506, 444, 120, 28};

  /// What a window point on the pages does.
  enum class Control { None, Previous, Next };

  bool visible() const { return m_visible; }
  const QList<InfoPage>& pages() const { return m_pages; }
  int current() const { return m_current; }
  int count() const { return int(m_pages.size()); }
  const InfoPage& page() const { return m_pages.at(m_current); }
  bool HasPrevious() const { return m_visible && m_current > 0; }
  bool HasNext() const { return m_visible && m_current + 1 < count(); }

  /// Shows `pages` from the first; an empty book shows nothing.
  void Show(QList<InfoPage> pages);
  void Hide();
  /// Moves by `delta` pages within the book; false when there is no such page.
  bool Turn(int delta);
  /// The page-turning control under a window point (a control only counts where it
  /// leads somewhere).
  Control ControlAt(QPointF windowPoint) const;

 private:
  QList<InfoPage> m_pages;
  int m_current = 0;
  bool m_visible = false;
};
