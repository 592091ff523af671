// Scripted games played through the game's whole surface, with everything the player
// can see, hear or be asked written down at every step and compared with a recording
// made once. It guards reworks of the game's insides: any change a player could notice
// shows here as a difference.
//
// To record anew after an intended change: FARTOVIK_GOLDEN_UPDATE=1 and run this test,
// then read the difference in tests/fixtures/golden/ before committing it.
#include <QCryptographicHash>
#include <QTextStream>

#include <optional>

#include "engine/spoken_state.h"
#include "engine_fakes.h"
#include "screen/key_table.h"
#include "shell/title_bar_clock.h"

using namespace Qt::StringLiterals;

namespace {

/// The sheet a face was cut from, as the recording spells it.
QString SheetName(const Element& e) { return e.face.isNull() || !e.faceSheet ? u"none"_s : ElementName(*e.faceSheet); }

/// The recordings write a colour as blue, green and red, red lowest.
QString Colour(QRgb colour) { return QString::number(qRed(colour) | qGreen(colour) << 8 | qBlue(colour) << 16, 16); }

QString Rect(qreal left, qreal top, qreal width, qreal height) {
  return u"%1,%2 %3x%4"_s.arg(left).arg(top).arg(width).arg(height);
}

/// The recordings were made when the board's three columns were the captions of the
/// board and of the two scroll arrows: each column is written on the caption line of
/// that element still, with the same text and geometry, so the recordings stand as
/// they were. A column is always shown, drawn as normal text and has no tooltip.
std::optional<BoardColumn> ColumnWrittenAs(ElementId index) {
  switch (index) {
    case el::Leaderboard: return BoardColumn::Rank;
    case el::ScrollUp: return BoardColumn::Name;
    case el::ScrollDown: return BoardColumn::Sum;
    default: return std::nullopt;
  }
}

Caption ColumnAsCaption(const BoardView& board, BoardColumn column) {
  const BoardColumnView& view = board.column(column);
  Caption c;
  c.text = view.text;
  c.font = view.font;
  c.alignment = view.alignment;
  c.colour = view.colour;
  c.left = view.left;
  c.top = board.top;
  c.width = view.width;
  c.height = view.height;
  c.visible = true;
  c.enabled = true;
  return c;
}

/// Everything of one element a player can notice, one line each for the element and
/// its caption.
QStringList DescribeElement(const Element& e, ElementId index, const BoardView& board) {
  const QString name = ElementName(index);
  QStringList lines;
  lines << u"%1: %2 %3 %4 look %5 %6 tip \"%7\""_s.arg(name)
               .arg(e.visible ? u"shown"_s : u"hidden"_s)
               .arg(e.enabled ? u"on"_s : u"off"_s)
               .arg(Rect(e.left, e.top, e.width, e.height))
               .arg(SheetName(e))
               .arg(Rect(e.faceSource.left(), e.faceSource.top(), e.faceSource.width(), e.faceSource.height()))
               .arg(e.tooltip);
  const std::optional<BoardColumn> column = ColumnWrittenAs(index);
  const Caption c = column ? ColumnAsCaption(board, *column) : e.caption;
  lines << u"%1 caption: %2 %3 %4 colour %5 font %6 align %7 tip \"%8\" text \"%9\""_s.arg(name)
               .arg(c.visible ? u"shown"_s : u"hidden"_s)
               .arg(c.enabled ? u"on"_s : u"off"_s)
               .arg(Rect(c.left, c.top, c.width, c.height))
               .arg(Colour(c.colour))
               .arg(c.font.face + u' ' + QString::number(c.font.size) + (c.font.bold ? u" bold"_s : QString()) +
                    (c.font.italic ? u" italic"_s : QString()) + (c.font.underline ? u" underline"_s : QString()) +
                    (c.font.strikeout ? u" strikeout"_s : QString()))
               .arg(int(c.alignment))
               .arg(c.tooltip)
               .arg(c.text);
  return lines;
}

/// The box's sign, and for a question the button Enter presses in capitals.
QString BoxKind(const InfoBox::Message& message) {
  switch (message.kind) {
    case InfoBox::Kind::Warning: return u"stop"_s;
    case InfoBox::Kind::Information: return u"information"_s;
    case InfoBox::Kind::Question:
      return message.preset == InfoBox::Answer::No ? u"question yes/NO"_s : u"question YES/no"_s;
  }
  return u"plain"_s;
}

class GoldenTest : public EngineTest {
 protected:
  /// Writes down what changed since the last step, under the step's name.
  void Step(const QString& name) {
    QStringList now;
    for (const ElementId i : AllElements()) now << DescribeElement(g().screen().element(i), i, g().screen().board());
    const NameBox& box = g().screen().nameBox();
    now << u"name box: %1 %2,%3 %4x%5 \"%6\" selected %7+%8"_s.arg(box.visible ? u"shown"_s : u"hidden"_s)
               .arg(box.rect.left())
               .arg(box.rect.top())
               .arg(box.rect.width())
               .arg(box.rect.height())
               .arg(box.text)
               .arg(box.selectionStart)
               .arg(box.selectionLength);
    const PageView& pages = g().screen().pages();
    now << (pages.visible()
                ? u"pages: %1 of %2 \"%3\""_s.arg(pages.current() + 1).arg(pages.count()).arg(pages.page().title)
                : u"pages: hidden"_s);
    if (pages.visible()) now << u"page body: "_s + pages.page().body;
    now << u"spoken: "_s + spoken::Situation(g());
    QStringList outcomes;
    for (int p = 1; p <= 4; ++p) outcomes << spoken::OutcomeWords(spoken::AnswerOutcome(g(), p));
    now << u"spoken outcomes: "_s + outcomes.join(u" | "_s);
    now << u"spoken clock: %1 shown %2 friend %3 poll %4 %5 %6 %7 %8"_s.arg(spoken::SecondsLeft(g()))
               .arg(spoken::QuestionShown(g()))
               .arg(spoken::FriendFinished(g()))
               .arg(spoken::PollSettled(g()))
               .arg(spoken::PollShare(g(), 1))
               .arg(spoken::PollShare(g(), 2))
               .arg(spoken::PollShare(g(), 3))
               .arg(spoken::PollShare(g(), 4));
    QStringList painted;
    for (const ElementId i : AllElements()) {
      const QString words = spoken::PaintedWords(g(), i);
      if (!words.isEmpty()) painted << ElementName(i) + u": "_s + words;
    }
    now << u"painted words: "_s + painted.join(u" | "_s);
    now << u"sound on: "_s + (g().SoundOn() ? u"yes"_s : u"no"_s);
    QFile board(WinnersPath());
    now << u"board file: "_s +
               (board.open(QIODevice::ReadOnly)
                    ? QString::fromLatin1(QCryptographicHash::hash(board.readAll(), QCryptographicHash::Md5).toHex())
                    : u"none"_s);

    m_out << u"== "_s + name;
    for (int i = 0; i < now.size(); ++i)
      if (i >= m_last.size() || m_last[i] != now[i]) m_out << now[i];
    for (; m_boxes < platform->box.messages.size(); ++m_boxes) {
      const auto& m = platform->box.messages[m_boxes];
      // Appended part by part: GCC sees a false overflow in one builder over them.
      QString line = u"box "_s;
      line += BoxKind(m);
      line += u": "_s;
      line += QString(m.text).replace(u"\r\n"_s, u"⏎"_s);
      m_out << line;
    }
    for (; m_sounds < platform->sound.log.size(); ++m_sounds) m_out << u"sound: "_s + platform->sound.log[m_sounds];
    for (; m_captions < m_windowCaptions.size(); ++m_captions)
      m_out << u"window caption: "_s + m_windowCaptions[m_captions];
    m_last = now;
  }

  void Key(int code, const QString& name) {
    g().KeyPressed(code);
    Step(u"key "_s + name);
  }
  void Ctrl(int code, const QString& name) {
    PressWith(Qt::ControlModifier, code);
    Step(u"key Ctrl+"_s + name);
  }
  /// The letter key of answer position p (1 = A … 4 = D).
  void AnswerKey(int position) {
    const Command choice = ChooseAnswer(position);
    Key(KeyFor(choice), KeySpellings(choice).value(0));
  }
  void Click(ElementId index) {
    g().ClickElement(index);
    Step(u"click "_s + ElementName(index));
  }
  /// The window's ticks: the title bar's clock, then the game's.
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      m_windowCaptions << m_titleBar.Caption();
      Tick();
      Step(u"tick"_s);
    }
  }
  void TicksUntilAnswersOpen() {
    for (int i = 0; i < 400 && !round().answersOpen; ++i) Ticks(1);
  }
  /// The answer position (1 = A … 4 = D) holding the right answer.
  int RightPosition() { return g().AnswerOrder(1); }
  int WrongPosition() { return g().AnswerOrder(2); }

  /// Compares the recording with the one kept under `name`, or keeps it anew.
  void Compare(const QString& name) {
    const QString path = QStringLiteral(FARTOVIK_SOURCE_DIR "/tests/fixtures/golden/") + name + u".txt"_s;
    const QString text = m_out.join(u'\n') + u'\n';
    if (qEnvironmentVariableIsSet("FARTOVIK_GOLDEN_UPDATE")) {
      QDir().mkpath(QFileInfo(path).path());
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write(text.toUtf8());
      return;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QStringList want = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList got = text.split(u'\n');
    for (int i = 0; i < std::min(want.size(), got.size()); ++i)
      ASSERT_EQ(got[i].toStdString(), want[i].toStdString()) << "line " << i + 1 << " of " << name.toStdString();
    ASSERT_EQ(got.size(), want.size()) << name.toStdString();
  }

  QStringList m_out;
  QStringList m_last;
  qsizetype m_boxes = 0, m_sounds = 0, m_captions = 0;
  TitleBarClock m_titleBar{[] { return u"10:00:00 09.12.2026"_s; }};
  QStringList m_windowCaptions;
};

TEST_F(GoldenTest, AGameWithEveryLifelineTakesTheMoneyAndNamesItsRecord) {
  Step(u"start"_s);
  Key(Qt::Key_F1, u"F1"_s);
  Key(Qt::Key_PageDown, u"PgDn"_s);
  Key(Qt::Key_Right, u"Right"_s);
  Key(Qt::Key_Escape, u"Esc"_s);
  Key(Qt::Key_F2, u"F2"_s);
  TicksUntilAnswersOpen();
  g().PointerMoved(el::AnswerA, 10, 10);
  Step(u"pointer over A"_s);
  g().DropHover();
  Step(u"pointer gone"_s);
  AnswerKey(RightPosition());
  Ticks(50);
  TicksUntilAnswersOpen();
  Key(Qt::Key_1, u"1"_s);
  Ticks(3);
  // An answer 50/50 took away cannot be chosen.
  for (int p = 1; p <= 4; ++p)
    if (!E(AnswerSlot(p)).enabled) {
      AnswerKey(p);
      break;
    }
  AnswerKey(RightPosition());
  Ticks(50);
  TicksUntilAnswersOpen();
  Key(Qt::Key_2, u"2"_s);
  Ticks(60);
  Key(Qt::Key_S, u"S"_s);
  Key(Qt::Key_S, u"S"_s);
  Key(Qt::Key_3, u"3"_s);
  Ticks(40);
  AnswerKey(RightPosition());
  Ticks(50);
  TicksUntilAnswersOpen();
  Ctrl(Qt::Key_M, u"M"_s);
  Ticks(3);
  // The player types over the default name the box offers selected.
  for (const QString& typed : {u"И"_s, u"Ир"_s, u"Ира"_s}) {
    g().TypeName(typed);
    Step(u"typed "_s + typed);
  }
  Key(Qt::Key_Return, u"Enter"_s);
  Key(Qt::Key_Down, u"Down"_s);
  Key(Qt::Key_End, u"End"_s);
  Key(Qt::Key_Home, u"Home"_s);
  Key(Qt::Key_Return, u"Enter"_s);
  Ctrl(Qt::Key_W, u"W"_s);
  g().WheelBoard(-120);
  Step(u"wheel"_s);
  Key(Qt::Key_Return, u"Enter"_s);
  Compare(u"lifelines_take_money"_s);
}

TEST_F(GoldenTest, AWrongAnswerATimeOutAndTheLeaderboardCleared) {
  Step(u"start"_s);
  Key(Qt::Key_F2, u"F2"_s);
  TicksUntilAnswersOpen();
  for (int q = 1; q <= 5; ++q) {
    Click(AnswerSlot(RightPosition()));
    Ticks(Judging::TicksToVerdict());
    TicksUntilAnswersOpen();
  }
  Click(AnswerSlot(WrongPosition()));
  Ticks(50);
  Key(Qt::Key_Return, u"Enter"_s);
  Key(Qt::Key_Return, u"Enter"_s);
  Key(Qt::Key_F2, u"F2"_s);
  TicksUntilAnswersOpen();
  Ticks(230);
  Key(Qt::Key_Return, u"Enter"_s);
  Key(Qt::Key_Return, u"Enter"_s);
  platform->box.answers = {InfoBox::Answer::No};
  Ctrl(Qt::Key_W, u"W"_s);
  Key(Qt::Key_K, u"K"_s);
  platform->box.answers = {InfoBox::Answer::Yes};
  Key(Qt::Key_K, u"K"_s);
  Key(Qt::Key_Return, u"Enter"_s);
  Compare(u"wrong_answer_time_out"_s);
}

TEST_F(GoldenTest, TheMillion) {
  Step(u"start"_s);
  Key(Qt::Key_F2, u"F2"_s);
  for (int q = 1; q <= 15; ++q) {
    TicksUntilAnswersOpen();
    AnswerKey(RightPosition());
    Ticks(Judging::TicksToVerdict());
  }
  Ticks(5);
  Key(Qt::Key_Return, u"Enter"_s);
  Key(Qt::Key_Return, u"Enter"_s);
  Compare(u"million"_s);
}

}  // namespace
