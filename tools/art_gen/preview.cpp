#include "preview.h"

#include "art_kit.h"
#include "sheets.h"

#include <QDir>
#include <QHash>
#include <QPainter>
#include <QTextStream>

#include <map>

using namespace Qt::StringLiterals;

namespace art {
namespace {

struct Screen {
  std::map<int, int> cells;     // element → 1-based cell shown (column for the track)
  std::map<int, int> widths;    // element → width when narrower than its box
  std::map<int, int> tops;      // element → top when moved
  std::map<int, QString> text;  // element → caption
  std::map<int, QColor> ink;    // element → caption colour when not white
};

struct Caption {
  QRect box;  // relative to the element
  qreal points;
  bool bold, italic, serif, comic, top;
};

Caption CaptionOf(int element) {
  switch (element) {
    case 1: return {QRect(20, 10, 433, 93), 12, true, false, false, false, false};
    case 2:
    case 4: return {QRect(47, 6, 174, 37), 10, true, false, false, false, false};
    case 3: return {QRect(41, 6, 176, 37), 10, true, false, false, false, false};
    case 5: return {QRect(42, 6, 175, 37), 10, true, false, false, false, false};
    case 27: return {QRect(130, 10, 333, 129), 15, false, false, true, false, false};
    case 29:
    case 30:
    case 31:
    case 32: return {QRect(0, 0, 37, 19), 10, true, false, false, false, false};
    case 34: return {QRect(0, 0, 40, 25), 12, false, false, false, true, false};
    case 36: return {QRect(0, 0, 31, 389), 10, true, false, false, false, true};
    case 38: return {QRect(36, 0, 327, 389), 10, false, true, false, false, true};
    case 39: return {QRect(366, 0, 85, 389), 10, true, false, false, false, true};
    case 41: return {QRect(10, 10, 453, 88), 12, false, true, false, false, false};
    default: return {QRect(), 10, false, false, false, false, false};
  }
}

QImage Compose(const QHash<int, QImage>& sheets, const Screen& s) {
  QImage img = Canvas(640, 480);
  QPainter p(&img);
  Prepare(p);
  for (const ElementBox& b : Elements()) {
    const auto cell = s.cells.find(b.index);
    if (cell == s.cells.end()) continue;
    const QImage& sheet = sheets.value(b.sheet);
    const int col = b.cols > 1 ? cell->second : 1;
    const int row = b.cols > 1 ? 1 : cell->second;
    const int w = s.widths.count(b.index) ? s.widths.at(b.index) : b.width;
    const int top = s.tops.count(b.index) ? s.tops.at(b.index) : b.top;
    p.drawImage(QPoint(b.left, top), sheet, QRect((col - 1) * b.width, (row - 1) * b.height, w, b.height));
  }
  for (const auto& [element, text] : s.text) {
    const Caption c = CaptionOf(element);
    const ElementBox& owner = Elements().at(static_cast<size_t>(element == 38 || element == 39 ? 36 : element));
    const int top = s.tops.count(owner.index) ? s.tops.at(owner.index) : owner.top;
    const QRect box = c.box.translated(owner.left, top);
    QFont font = MakeFont(c.serif   ? Face::Serif
                          : c.comic ? Face::Comic
                                    : Face::Sans,
                          c.points * 4.0 / 3.0, c.bold, c.italic);
    // Answers and the question shrink to fit, as the game does.
    QRect needed;
    for (int px = qRound(c.points * 4.0 / 3.0); px >= 8; --px) {
      font.setPixelSize(px);
      p.setFont(font);
      needed = p.boundingRect(box, Qt::TextWordWrap | Qt::AlignHCenter, text);
      if (needed.height() <= box.height() || c.top) break;
    }
    p.setPen(s.ink.count(element) ? s.ink.at(element) : QColor(255, 255, 255));
    const int align = (element >= 2 && element <= 5) ? Qt::AlignLeft : Qt::AlignHCenter;
    p.drawText(box, Qt::TextWordWrap | align | (c.top ? Qt::AlignTop : Qt::AlignVCenter), text);
  }
  return img;
}

Screen StartScreen() {
  Screen s;
  for (const ElementBox& b : Elements())
    if (b.shown) s.cells[b.index] = 1;
  s.text[1] = u"Чтобы начать новую игру, нажмите F2 или \"Новая\" в \"Меню\""_s;
  return s;
}

Screen GameScreen() {
  Screen s = StartScreen();
  s.text[1] = u"Какой город был столицей России до Санкт-Петербурга и снова стал ею в 1918 году?"_s;
  s.text[2] = u"Москва"_s;
  s.text[3] = u"Великий Новгород"_s;
  s.text[4] = u"Владимир"_s;
  s.text[5] = u"Киев"_s;
  s.cells[2] = 2;
  s.cells[3] = 3;
  s.cells[5] = 4;
  s.ink[5] = QColor(128, 255, 192);
  s.cells[9] = 4;
  s.cells[10] = 3;
  s.cells[11] = 2;
  for (int q = 1; q <= 4; ++q) s.cells[q + 11] = 2;
  s.cells[16] = 3;
  s.cells[28] = 1;
  const int shares[4] = {52, 23, 16, 9};
  for (int i = 0; i < 4; ++i) {
    s.cells[29 + i] = 1;
    s.widths[29 + i] = 37 + (434 - 37) * shares[i] / 100;
    s.text[29 + i] = QString::number(shares[i]) + u'%';
  }
  s.cells[34] = 1;
  s.widths[34] = 260;
  s.text[34] = u"12"_s;
  s.cells[45] = 3;
  s.cells[8] = 2;
  return s;
}

Screen LeaderboardScreen() {
  Screen s = StartScreen();
  s.text.erase(1);
  for (int e : {36, 38, 39, 40, 46, 47, 50}) s.cells[e] = 1;
  s.cells[37] = 1;
  s.cells[38] = 3;
  s.cells[39] = 1;
  s.cells[46] = 3;
  s.cells[47] = 2;
  const QStringList names = {u"Анастасия"_s, u"Пётр Ильич"_s, u"Гость"_s, u"Фартовик"_s,
                             u"Мария"_s,     u"Сергей К."_s,  u"Ольга"_s, u"Иван Васильевич"_s};
  const QStringList sums = {u"1000000"_s, u"250000"_s, u"64000"_s, u"32000"_s,
                            u"16000"_s,   u"4000"_s,   u"1000"_s,  u"500"_s};
  QString places, who, money;
  for (int i = 0; i < names.size(); ++i) {
    if (i) {
      places += u"\n"_s;
      who += u"\n"_s;
      money += u"\n"_s;
    }
    places += QString::number(i + 1) + u'.';
    who += names.at(i);
    money += sums.at(i);
  }
  s.text[36] = places;
  s.text[38] = who;
  s.text[39] = money;
  s.ink[36] = QColor(207, 26, 156);
  s.ink[38] = QColor(26, 186, 207);
  s.ink[39] = QColor(106, 207, 26);
  for (int q = 1; q <= 9; ++q) s.cells[q + 11] = 2;
  s.cells[21] = 3;
  return s;
}

Screen VictoryScreen() {
  Screen s = StartScreen();
  s.text.erase(1);
  s.cells[41] = 1;
  s.cells[42] = 2;
  s.text[41] =
      u"Вы набрали 32000 у.е. (1 у.е. = 1 Фартик'у).\nЭто хороший результат,\nс ним вы попадаете в таблицу лидеров."_s;
  for (int q = 1; q <= 9; ++q) s.cells[q + 11] = 2;
  s.cells[21] = 3;
  return s;
}

Screen PhoneScreen() {
  Screen s = GameScreen();
  s.cells.erase(28);
  for (int i = 29; i <= 32; ++i) {
    s.cells.erase(i);
    s.text.erase(i);
  }
  s.cells[27] = 1;
  s.text[27] = u"Я думаю, что правильный ответ — Москва."_s;
  s.cells[2] = 1;
  s.cells[3] = 1;
  s.cells[4] = 4;
  s.cells[5] = 1;
  s.ink.erase(5);
  s.ink[4] = QColor(128, 255, 192);
  return s;
}

Screen LossScreen(int panel) {
  Screen s = StartScreen();
  s.text.erase(1);
  s.cells[panel] = 1;
  s.cells[panel + 1] = 3;
  return s;
}

// Every sheet on a grey card, for checking cells side by side.
QImage ContactSheet(const QHash<int, QImage>& sheets) {
  QImage img = Canvas(1300, 1500, QColor(60, 60, 66));
  QPainter p(&img);
  int x = 8, y = 8, rowHeight = 0;
  for (const ElementBox& b : Elements()) {
    if (b.sheet != b.index) continue;
    const QImage& sheet = sheets.value(b.index);
    if (b.index == 0) continue;
    if (x + sheet.width() > img.width() - 8) {
      x = 8;
      y += rowHeight + 8;
      rowHeight = 0;
    }
    p.drawImage(x, y, sheet);
    x += sheet.width() + 8;
    rowHeight = std::max(rowHeight, sheet.height());
  }
  return img;
}

}  // namespace

bool WritePreviews(const QString& sheetDir, const QString& outDir) {
  QTextStream err(stderr);
  QHash<int, QImage> sheets;
  for (const ElementBox& b : Elements()) {
    const QString file = SheetFile(b.index);
    if (file.isEmpty()) continue;
    QImage sheet(sheetDir + u'/' + file);
    if (sheet.isNull()) {
      err << "cannot read " << file << '\n';
      return false;
    }
    sheets.insert(b.index, sheet);
  }
  QDir().mkpath(outDir);
  const std::pair<QString, QImage> shots[] = {
      {u"preview_start.png"_s, Compose(sheets, StartScreen())},
      {u"preview_game.png"_s, Compose(sheets, GameScreen())},
      {u"preview_phone.png"_s, Compose(sheets, PhoneScreen())},
      {u"preview_leaderboard.png"_s, Compose(sheets, LeaderboardScreen())},
      {u"preview_victory.png"_s, Compose(sheets, VictoryScreen())},
      {u"preview_loss.png"_s, Compose(sheets, LossScreen(43))},
      {u"preview_timeout.png"_s, Compose(sheets, LossScreen(48))},
      {u"preview_sheets.png"_s, ContactSheet(sheets)},
  };
  bool ok = true;
  for (const auto& [name, image] : shots) ok = image.save(outDir + u'/' + name, "PNG") && ok;
  return ok;
}

}  // namespace art
