#include "screen/page_painter.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextDocument>
#include <QUrl>

#include <tuple>

#include "screen/element.h"
#include "screen/element_table.h"
#include "screen/fonts.h"
#include "screen/info_pages.h"
#include "screen/key_table.h"
#include "screen/sheet_files.h"

using namespace Qt::StringLiterals;

namespace {

// The colours of the game's art: the glowing blue rules, the pale text and its dimmer notes.
const QColor kRule(7, 115, 222);
const QColor kText(232, 238, 255);
const QColor kDim(150, 170, 210);

CaptionFont Font(qreal points, bool bold, bool italic) {
  CaptionFont f;
  f.face = u"Arial"_s;
  f.size = points;
  f.bold = bold;
  f.italic = italic;
  return f;
}

void PaintGround(QPainter& p) {
  const QRectF box = PageView::kBox;
  QRadialGradient light(QPointF(box.center().x(), box.top() + 40), 520);
  light.setColorAt(0.0, QColor(10, 34, 84));
  light.setColorAt(0.55, QColor(3, 12, 34));
  light.setColorAt(1.0, QColor(0, 0, 6));
  p.fillRect(box, light);

  // A frame like the rules of the background: a bright core in a soft glow.
  const QRectF frame = box.adjusted(8.5, 6.5, -8.5, -6.5);
  for (const auto& [width, alpha] : {std::pair{7.0, 30}, std::pair{4.0, 60}, std::pair{2.0, 255}}) {
    QColor c = kRule;
    c.setAlpha(alpha);
    p.setPen(QPen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 10, 10);
  }
}

void PaintTitle(QPainter& p, const QString& title) {
  QFont font = ToQFont(Font(20, true, true));
  const QRectF band(PageView::kBox.left(), PageView::kBox.top() + 14, PageView::kBox.width(), 40);
  QPainterPath path;
  path.addText(0, 0, font, title);
  const QRectF ink = path.boundingRect();
  path.translate(band.center().x() - ink.center().x(), band.center().y() - ink.center().y());
  // A halo of orange under the letters, then the letters shading from pale gold.
  for (const auto& [width, alpha] : {std::pair{9.0, 28}, std::pair{5.0, 55}, std::pair{2.5, 110}}) {
    p.setPen(QPen(QColor(255, 110, 0, alpha), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  }
  const QRectF letters = path.boundingRect();
  QLinearGradient fill(0, letters.top(), 0, letters.bottom());
  fill.setColorAt(0.0, QColor(255, 240, 180));
  fill.setColorAt(0.5, QColor(255, 180, 56));
  fill.setColorAt(1.0, QColor(236, 112, 12));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);

  // A rule under the title that fades out to both sides.
  QLinearGradient rule(PageView::kBodyBox.left(), 0, PageView::kBodyBox.right(), 0);
  rule.setColorAt(0.0, QColor(204, 102, 26, 0));
  rule.setColorAt(0.5, QColor(204, 102, 26, 230));
  rule.setColorAt(1.0, QColor(204, 102, 26, 0));
  p.fillRect(QRectF(PageView::kBodyBox.left(), band.bottom() + 6, PageView::kBodyBox.width(), 2), rule);
}

void PaintFooter(QPainter& p, const PageView& pages) {
  p.setFont(ToQFont(Font(9, false, false)));
  const QRectF line(PageView::kPreviousBox.right(), PageView::kPreviousBox.top(),
                    PageView::kNextBox.left() - PageView::kPreviousBox.right(), PageView::kPreviousBox.height());
  const QString closers = KeySpellings(Command::ClosePage, KeyScope::Pages).join(u", "_s);
  QString hint;
  if (pages.count() > 1) {
    hint = u"Страница %1 из %2   ·   %3 листать   ·   %4 — закрыть"_s.arg(pages.current() + 1)
               .arg(pages.count())
               .arg(KeyPairs(Command::PreviousPage, Command::NextPage, KeyScope::Pages).first(), closers);
  } else {
    hint = closers + u" или щелчок — закрыть"_s;
  }
  p.setPen(kDim);
  p.drawText(line, Qt::AlignCenter, hint);

  p.setFont(ToQFont(Font(10, true, false)));
  p.setPen(QColor(128, 255, 192));
  if (pages.HasPrevious()) p.drawText(PageView::kPreviousBox, Qt::AlignCenter, u"◀ Назад"_s);
  if (pages.HasNext()) p.drawText(PageView::kNextBox, Qt::AlignCenter, u"Далее ▶"_s);
}

/// Pictures of the game's own buttons, as `PictureOf` names them in a page: the first
/// look of the element's sheet. Decoded and scaled once.
const QList<std::pair<QUrl, QImage>>& SheetPictures() {
  static const QList<std::pair<QUrl, QImage>> pictures = [] {
    QList<std::pair<QUrl, QImage>> list;
    for (const auto& [element, scale] : {std::pair{el::FiftyFifty, 0.5}, std::pair{el::PhoneFriend, 0.5},
                                         std::pair{el::AudiencePoll, 0.5}, std::pair{el::TakeMoney, 1.0}}) {
      const QImage sheet = LoadSheet(element);
      if (sheet.isNull()) continue;
      const ElementGrid grid = GridOf(element);
      const QImage look = sheet.copy(0, 0, sheet.width() / grid.columns, sheet.height() / grid.rows);
      list.append({QUrl(PictureSource(element)),
                   look.scaled(look.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)});
    }
    return list;
  }();
  return pictures;
}

/// The body of the page shown, laid out once while it stays the same: the game
/// going on under a page repaints it up to ten times a second.
const QTextDocument& LaidOutBody(const InfoPage& page) {
  static QString body;
  static std::unique_ptr<QTextDocument> document;
  // A document must go before the application does; statics go after it.
  static const bool released = [] {
    qAddPostRoutine([] { document.reset(); });
    return true;
  }();
  Q_UNUSED(released);
  if (!document || body != page.body) {
    document = PageBodyDocument(page);
    body = page.body;
  }
  return *document;
}

}  // namespace

std::unique_ptr<QTextDocument> PageBodyDocument(const InfoPage& page) {
  auto document = std::make_unique<QTextDocument>();
  document->setDocumentMargin(0);
  document->setDefaultFont(ToQFont(Font(10.5, false, false)));
  document->setDefaultStyleSheet(
      u"body { color: #e8eeff; }"
      "h3 { color: #ffaa3c; font-size: 17px; margin-top: 8px; margin-bottom: 3px; }"
      "p { margin-top: 0px; margin-bottom: 5px; line-height: 110%; }"
      "td { vertical-align: middle; }"
      "b { color: #ffffff; }"
      ".key { color: #80ffc0; font-weight: bold; }"
      ".dim { color: #96aad2; }"_s);
  for (const auto& [url, picture] : SheetPictures()) document->addResource(QTextDocument::ImageResource, url, picture);
  document->setHtml(page.body);
  document->setTextWidth(PageView::kBodyBox.width());
  return document;
}

void PaintPage(QPainter& painter, const PageView& pages) {
  if (!pages.visible()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setClipRect(PageView::kBox, Qt::IntersectClip);
  PaintGround(painter);
  PaintTitle(painter, pages.page().title);

  const QTextDocument& body = LaidOutBody(pages.page());
  painter.save();
  painter.translate(PageView::kBodyBox.topLeft());
  painter.setClipRect(QRect(QPoint(0, 0), PageView::kBodyBox.size()), Qt::IntersectClip);
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette.setColor(QPalette::Text, kText);
  body.documentLayout()->draw(&painter, context);
  painter.restore();

  PaintFooter(painter, pages);
  painter.restore();
}
