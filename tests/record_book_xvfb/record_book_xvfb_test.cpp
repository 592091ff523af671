// Two evenings of play on a private X display, each in a window of its own, from a
// small question folder: the second evening asks none of the first one's questions,
// and F3 then shows the record book of both games with the figures they made. Exits
// 77 where no X server can be started.
//
// FARTOVIK_SHOT_DIR=<folder> in the environment leaves screenshots of the record book
// there (its first page empty, then every page after the two games).
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "screen/page_painter.h"
#include "tests/shell_open_window.h"
#include "tests/testing/question_bases.h"

using namespace Qt::StringLiterals;

namespace {

/// Questions in each level 1 … 6: two games' worth at most, so that a draw that
/// forgot the first evening would meet its questions again within a few games.
constexpr int kQuestionsPerLevel = 6;

/// The record book's pages now open, as plain text, spaces where lines may not break.
QString PagesText(const Game& game) {
  QString text;
  for (const InfoPage& page : game.screen().pages().pages())
    text += page.title + u'\n' + PageBodyDocument(page)->toPlainText() + u'\n';
  return text.replace(QChar(0x00A0), u' ').replace(QChar(0x2009), u' ');
}

class RecordBookOnX : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_program.isValid());
    QDir(m_program.path()).mkpath(u"Data"_s);
    for (int level = 1; level <= 6; ++level) {
      QList<testbases::TestQuestion> questions;
      for (int i = 1; i <= kQuestionsPerLevel; ++i) questions.append(testbases::MakeQuestion(level, i));
      QFile base(m_program.path() + u"/Data/base.ol"_s + QString::number(level));
      ASSERT_TRUE(base.open(QIODevice::WriteOnly));
      base.write(testbases::BaseFile(questions, u"2001"_s));
    }
  }

  /// A window of its own over the same program folder, as the game started anew.
  void OpenEvening() {
    m_window.reset();
    MainWindow::Services services;
    services.programFolder = m_program.path();
    services.infoBox = &m_box;
    services.random = &m_random;
    services.steadyClock = [this] { return m_now; };
    services.timeAndDate = [] { return u"20:00"_s; };
    services.startTimer = false;
    services.sound = &m_silence;
    services.settingsFile = m_program.path() + u"/fartovik.ini"_s;
    OpenWindow(m_window, std::move(services));
  }

  Game& game() { return m_window->game(); }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
      m_now += 0.1;
      m_window->Tick();
    }
  }
  /// Keys go through the X server to the window, as a player's do.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(m_window.get(), key, modifiers);
  }
  void WaitForAnswers() {
    for (int i = 0; i < 400 && !game().CurrentRound().answersOpen; ++i) Ticks(1);
    ASSERT_TRUE(game().CurrentRound().answersOpen);
  }
  /// The question on screen, answered by the key of its position.
  void Answer(bool right) {
    ASSERT_NO_FATAL_FAILURE(WaitForAnswers());
    m_asked.append(game().CurrentQuestion().text);
    const int position = game().AnswerOrder(right ? 1 : 2);
    Key(Qt::Key(Qt::Key_A + position - 1));
    Ticks(Judging::TicksToVerdict());
  }
  void Shot(const QString& name) {
    const QString folder = qEnvironmentVariable("FARTOVIK_SHOT_DIR");
    if (folder.isEmpty()) return;
    QApplication::processEvents();
    m_window->screen()->grabWindow(0).save(folder + u'/' + name + u".png"_s);
  }

  QTemporaryDir m_program;
  ActingInfoBox m_box;
  ScriptedRandomSource m_random{{}, 7};
  SilentSoundOutput m_silence;
  double m_now = 20 * 3600;
  QStringList m_asked;  ///< the questions put, evening after evening
  std::unique_ptr<MainWindow> m_window;
};

}  // namespace

TEST_F(RecordBookOnX, TwoEveningsAskDifferentQuestionsAndF3CountsBothGames) {
  // The first evening: three right, then the money taken at question 4 (300).
  ASSERT_NO_FATAL_FAILURE(OpenEvening());
  Key(Qt::Key_F3);
  ASSERT_TRUE(game().PageOpen());
  EXPECT_TRUE(PagesText(game()).contains(u"ни одной игры"_s));
  Shot(u"record_book_empty"_s);
  Key(Qt::Key_Escape);
  ASSERT_FALSE(game().PageOpen());

  Key(Qt::Key_F2);
  for (int q = 1; q <= 3; ++q) ASSERT_NO_FATAL_FAILURE(Answer(true));
  ASSERT_NO_FATAL_FAILURE(WaitForAnswers());
  m_asked.append(game().CurrentQuestion().text);
  Key(Qt::Key_M, Qt::ControlModifier);
  ASSERT_EQ(game().OpenPanel(), Panel::Record);
  Key(Qt::Key_Return);  // the default name
  const int firstEvening = int(m_asked.size());

  // The second evening, in a new window: one right, then wrong at question 2 (0).
  ASSERT_NO_FATAL_FAILURE(OpenEvening());
  Key(Qt::Key_F2);
  ASSERT_NO_FATAL_FAILURE(Answer(true));
  ASSERT_NO_FATAL_FAILURE(Answer(false));
  ASSERT_EQ(game().OpenPanel(), Panel::Loss);
  Key(Qt::Key_Return);

  const QStringList first = m_asked.mid(0, firstEvening), second = m_asked.mid(firstEvening);
  EXPECT_EQ(first.size(), 4);
  EXPECT_EQ(second.size(), 2);
  for (const QString& question : second) EXPECT_FALSE(first.contains(question)) << question.toStdString();

  Key(Qt::Key_F3);
  ASSERT_TRUE(game().PageOpen());
  const QString text = PagesText(game());
  for (const QString& part :
       {u"Сыграно: 2 игры."_s, u"Неверный ответ\n1 игра"_s, u"Время вышло\n0 игр"_s, u"Взяли деньги\n1 игра"_s,
        u"Лучший\n300 у.е."_s, u"Средний\n150 у.е."_s, u"Всего\n300 у.е."_s,
        // Taking the money broke no run: the next evening's first right answer adds to it.
        u"4 верных ответа подряд"_s,
        // Level 1: three right, one right and one wrong; the money was taken at level 2.
        u"1\n4 из 5 (80 %)\n5 из 6"_s, u"2\n—\n1 из 6"_s, u"3\n—\n0 из 6"_s, u"взяли деньги"_s, u"неверный ответ"_s})
    EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n in:\n" << text.toStdString();
  for (int page = 0; page < game().screen().pages().count(); ++page) {
    Shot(u"record_book_%1"_s.arg(page + 1));
    Key(Qt::Key_Right);
  }
  Key(Qt::Key_Escape);
  EXPECT_FALSE(game().PageOpen());
}

int main(int argc, char** argv) {
  if (system("command -v Xvfb >/dev/null") != 0) {
    std::fprintf(stderr, "Xvfb is missing\n");
    return 77;
  }
  int display = 0;
  for (int n = 140; n < 200 && display == 0; ++n)
    if (!QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(n)) && !QFile::exists(u"/tmp/.X%1-lock"_s.arg(n))) display = n;
  if (display == 0) {
    std::fprintf(stderr, "no free X display\n");
    return 77;
  }
  const std::string name = ":" + std::to_string(display);
  const pid_t server = fork();
  if (server == 0) {
    freopen("/dev/null", "w", stderr);
    execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", (char*)nullptr);
    _exit(127);
  }
  bool up = false;
  for (int i = 0; i < 100 && !up; ++i) {
    up = QFile::exists(u"/tmp/.X11-unix/X%1"_s.arg(display));
    if (!up) usleep(100000);
  }
  int status = 0;
  if (!up || waitpid(server, &status, WNOHANG) != 0) {
    std::fprintf(stderr, "Xvfb did not start on %s\n", name.c_str());
    if (server > 0) kill(server, SIGTERM);
    return 77;
  }
  setenv("DISPLAY", name.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  // The player's folders of this run alone: no history, board or settings of a real player.
  QTemporaryDir home;
  for (const char* variable : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
    setenv(variable, qPrintable(home.path()), 1);
  int failed = 0;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    failed = RUN_ALL_TESTS();
  }
  kill(server, SIGTERM);
  waitpid(server, &status, 0);
  return failed;
}
