// The rules and the about page over the game: opening, turning, closing, the clock
// they hold and the keys they keep from the game beneath.
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>

#include "engine_fakes.h"
#include "screen/page_painter.h"

using namespace Qt::StringLiterals;

namespace {

/// All pages of the book now open, as plain text.
QString PlainText(const PageView& pages) {
  QString text;
  for (const InfoPage& page : pages.pages()) text += page.title + u'\n' + PageBodyDocument(page)->toRawText() + u'\n';
  return text;
}

}  // namespace

TEST_F(EngineTest, F1OpensTheRulesAndEscOrEnterCloseThemWithoutTheExitQuestion) {
  for (int closer : {Qt::Key_Escape, Qt::Key_Return}) {
    g().KeyPressed(Qt::Key_F1);
    ASSERT_TRUE(g().PageOpen());
    EXPECT_EQ(g().screen().pages().page().title, u"Правила игры"_s);
    EXPECT_EQ(g().screen().pages().current(), 0);
    g().KeyPressed(closer);
    EXPECT_FALSE(g().PageOpen());
    EXPECT_TRUE(platform->box.messages.isEmpty());
    EXPECT_EQ(platform->closeRequests, 0);
  }
  // Closed, Esc is the exit question again.
  platform->box.answers = {InfoBox::Answer::No};
  g().KeyPressed(Qt::Key_Escape);
  ASSERT_EQ(platform->box.messages.size(), 1);
  EXPECT_EQ(platform->box.messages.front().text, kExitQuestion);
}

TEST_F(EngineTest, TheRulesTurnWithinTheirPagesAndF1SwitchesFromTheAboutPage) {
  g().ShowRulesPage();
  const PageView& pages = g().screen().pages();
  ASSERT_EQ(pages.count(), 4);
  g().KeyPressed(Qt::Key_Left);  // nothing before the first page
  EXPECT_EQ(pages.current(), 0);
  g().KeyPressed(Qt::Key_Right);
  g().KeyPressed(Qt::Key_PageDown);
  g().KeyPressed(Qt::Key_Space);
  EXPECT_EQ(pages.current(), 3);
  g().KeyPressed(Qt::Key_Space);  // nothing after the last
  EXPECT_EQ(pages.current(), 3);
  g().WheelPage(+1);  // the wheel turned away from the player goes back
  g().WheelPage(+1);
  EXPECT_EQ(pages.current(), 1);
  g().KeyPressed(Qt::Key_F1);  // already the rules: stays on its page
  EXPECT_EQ(pages.current(), 1);
  g().KeyPressed(Qt::Key_PageUp);
  EXPECT_EQ(pages.current(), 0);
  g().KeyPressed(Qt::Key_Escape);

  g().ShowAboutPage();
  ASSERT_EQ(pages.count(), 1);
  EXPECT_EQ(pages.page().title, u"О программе"_s);
  g().KeyPressed(Qt::Key_F1);
  EXPECT_EQ(pages.page().title, u"Правила игры"_s);
  g().KeyPressed(Qt::Key_Return);
  EXPECT_FALSE(g().PageOpen());
}

TEST_F(EngineTest, AClickTurnsThePagesOnTheFooterArrowsAndClosesThemAnywhereElse) {
  g().ShowRulesPage();
  const QPointF previous = QRectF(PageView::kPreviousBox).center();
  const QPointF next = QRectF(PageView::kNextBox).center();
  g().ClickPage(next);
  EXPECT_EQ(g().screen().pages().current(), 1);
  g().ClickPage(previous);
  EXPECT_EQ(g().screen().pages().current(), 0);
  // On the first page "back" leads nowhere: that corner is just the page, and closes it.
  g().ClickPage(previous);
  EXPECT_FALSE(g().PageOpen());
  g().ShowAboutPage();
  g().ClickPage(QPointF(320, 200));
  EXPECT_FALSE(g().PageOpen());
}

TEST_F(EngineTest, AnExitQuestionOverThePagesHoldsTheClockOnceUntilThePagesClose) {
  JumpTo(1);
  platform->time = g().Clock().StartedAt() + 3;
  g().Tick();
  g().ShowRulesPage();
  Tick(50);
  // The system's close request (Alt+F4) still asks, over the page; the player stays.
  platform->box.whileShown = [this](const QString&) { Tick(50); };
  platform->box.answers = {InfoBox::Answer::No};
  EXPECT_TRUE(g().CloseRequested());
  platform->box.whileShown = nullptr;
  EXPECT_TRUE(g().PageOpen());
  Tick(50);
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:17"_s);
  g().KeyPressed(Qt::Key_Return);
  Tick();
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:17"_s);
  Tick(20);
  EXPECT_EQ(CaptionText(el::ClockBar), u"0:15"_s);
}

TEST_F(EngineTest, KeysWhileAPageIsUpDoNotReachTheGameBeneath) {
  JumpTo(2);
  const int question = round().question;
  struct Press {
    Qt::KeyboardModifier modifier;
    int key;
  };
  constexpr auto kNone = Qt::NoModifier, kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier;
  const Press presses[] = {{kNone, Qt::Key_A}, {kNone, Qt::Key_B},  {kNone, Qt::Key_C}, {kNone, Qt::Key_D},
                           {kNone, Qt::Key_1}, {kNone, Qt::Key_2},  {kNone, Qt::Key_3}, {kCtrl, Qt::Key_M},
                           {kAlt, Qt::Key_M},  {kNone, Qt::Key_F2}, {kCtrl, Qt::Key_W}, {kCtrl, Qt::Key_Q},
                           {kAlt, Qt::Key_X},  {kNone, Qt::Key_K}};
  g().KeyPressed(Qt::Key_F1);
  for (const Press& press : presses) {
    PressWith(press.modifier, press.key);
    SCOPED_TRACE(press.key);
    EXPECT_TRUE(g().PageOpen());
    EXPECT_TRUE(round().answersOpen);
    EXPECT_FALSE(g().Judgement().Running());
    EXPECT_EQ(round().question, question);
    EXPECT_EQ(g().OpenPanel(), Panel::None);
    for (const ElementId lifeline : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
      EXPECT_TRUE(E(lifeline).enabled) << lifeline;
    EXPECT_EQ(platform->closeRequests, 0);
    EXPECT_TRUE(platform->box.messages.isEmpty());
  }
  // Esc with Ctrl held closes the page as Esc alone does; a plain M then takes nothing.
  PressWith(Qt::ControlModifier, Qt::Key_Escape);
  EXPECT_FALSE(g().PageOpen());
  g().KeyPressed(Qt::Key_M);
  EXPECT_TRUE(round().answersOpen);
  // Closed, the same keys play again.
  g().KeyPressed(Qt::Key_1);
  EXPECT_FALSE(E(el::FiftyFifty).enabled);
}

TEST_F(EngineTest, ThePagesOverTheNameEntryGiveTheKeyboardBackToTheNameBox) {
  JumpTo(2);
  AnswerWrong();  // question 2: no guaranteed sum, the loss panel
  ASSERT_EQ(g().OpenPanel(), Panel::Loss);
  g().KeyPressed(Qt::Key_F1);
  g().KeyPressed(Qt::Key_Return);  // closes the page only
  EXPECT_EQ(g().OpenPanel(), Panel::Loss);

  Start({6, 6, 6, 6, 6, 6, 6});
  JumpTo(2);
  PressWith(Qt::ControlModifier, Qt::Key_M);
  ASSERT_EQ(g().OpenPanel(), Panel::Record);
  const int focused = platform->nameBoxFocus;
  g().KeyPressed(Qt::Key_F1);
  g().KeyPressed(Qt::Key_Escape);
  EXPECT_EQ(g().OpenPanel(), Panel::Record);
  EXPECT_EQ(platform->nameBoxFocus, focused + 1);
}

TEST_F(EngineTest, TheRulesExplainTheLadderTheGuaranteedSumsTheClockAndTheLifelines) {
  g().ShowRulesPage();
  const QString text = PlainText(g().screen().pages());
  const QString nbsp(QChar(0x00A0));
  for (const QString& part :
       {u"100"_s, QString(u"1" + nbsp + u"000" + nbsp + u"000"), u"5-й и 10-й"_s,
        QString(u"1" + nbsp + u"000 и 32" + nbsp + u"000"), u"20 секунд"_s, u"120 секунд"_s, u"«50/50»"_s,
        u"«Звонок другу»"_s, u"«Мнение зала»"_s, u"«Взять деньги»"_s, u"Со второго вопроса"_s, u"часы стоят"_s})
    EXPECT_TRUE(text.contains(part)) << part.toStdString();
}

TEST_F(EngineTest, TheRulesListEveryKeyOfTheReadmesKeyTable) {
  QFile readme(QStringLiteral(FARTOVIK_SOURCE_DIR "/README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString markdown = QString::fromUtf8(readme.readAll());
  const qsizetype table = markdown.indexOf(u"| Key | What it does |"_s);
  ASSERT_GE(table, 0);
  QStringList readmeKeys;
  for (const QString& line : markdown.mid(table).split(u'\n').mid(2)) {
    if (!line.startsWith(u'|')) break;
    readmeKeys.append(line.section(u'|', 1, 1).trimmed().replace(u" / "_s, u", "_s));
  }
  ASSERT_GE(readmeKeys.size(), 9);

  g().ShowRulesPage();
  QStringList pageKeys;
  static const QRegularExpression keyCell(u"<td width=\"150\"><span class=\"key\">([^<]*)</span>"_s);
  for (const InfoPage& page : g().screen().pages().pages())
    for (const auto& match : keyCell.globalMatch(page.body)) pageKeys.append(match.captured(1));
  for (const QString& keys : readmeKeys) EXPECT_TRUE(pageKeys.contains(keys)) << keys.toStdString();
}

TEST_F(EngineTest, TheAboutPageNamesTheGameItsVersionLicenceAndFonts) {
  g().ShowAboutPage();
  const QString text = PlainText(g().screen().pages());
  for (const QString& part : {u"«О, фартовик!»"_s, u"Версия 0.99.19"_s, u"GPL-3.0-or-later"_s, u"Звуки, графика"_s,
                              u"Liberation Sans"_s, u"Comic Neue"_s, u"SIL Open Font License 1.1"_s})
    EXPECT_TRUE(text.contains(part)) << part.toStdString();
}

TEST_F(EngineTest, EveryPageFitsItsBox) {
  for (const bool rules : {true, false}) {
    rules ? g().ShowRulesPage() : g().ShowAboutPage();
    for (const InfoPage& page : g().screen().pages().pages()) {
      const auto document = PageBodyDocument(page);
      EXPECT_LE(document->size().height(), PageView::kBodyBox.height()) << page.title.toStdString();
      EXPECT_LE(document->idealWidth(), PageView::kBodyBox.width()) << page.title.toStdString();
    }
    g().ClosePage();
  }
}
