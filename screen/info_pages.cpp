#include "screen/info_pages.h"

using namespace Qt::StringLiterals;

QString PictureSource(ElementId id) { return u"sheet:%1"_s.arg(IndexOf(id)); }

QString PictureOf(ElementId id) { return u"<img src=\""_s + PictureSource(id) + u"\">"_s; }

void PageView::Show(QList<InfoPage> pages) {
  m_pages = std::move(pages);
  m_current = 0;
  m_visible = !m_pages.isEmpty();
}

void PageView::Hide() {
  m_visible = false;
  m_pages.clear();
  m_current = 0;
}

bool PageView::Turn(int delta) {
  const int to = m_current + delta;
  if (!m_visible || delta == 0 || to < 0 || to >= count()) return false;
  m_current = to;
  return true;
}

PageView::Control PageView::ControlAt(QPointF windowPoint) const {
  const QPoint p(int(windowPoint.x()), int(windowPoint.y()));
  if (HasPrevious() && kPreviousBox.contains(p)) return Control::Previous;
  if (HasNext() && kNextBox.contains(p)) return Control::Next;
  return Control::None;
}
