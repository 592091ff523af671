#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

#include "data/data_paths.h"
#include "data/game_history.h"
#include "data/info_box.h"
#include "data/question_table.h"
#include "data/random_source.h"
#include "data/winners_table.h"
#include "engine/ending.h"
#include "engine/judging.h"
#include "engine/panel.h"
#include "engine/phase.h"
#include "engine/platform.h"
#include "engine/poll_animation.h"
#include "engine/question_clock.h"
#include "engine/round.h"
#include "engine/sound_cue.h"
#include "engine/typing_reveal.h"
#include "screen/command.h"
#include "screen/element.h"
#include "screen/pointer_input.h"

class GameTestAccess;

/// The game behind the main window: it owns the model of the game, the screen model
/// and the tables, and runs every handler. It has no window of its own: the platform
/// gives it the clock, random numbers, the message box and the window. Only the game
/// writes its model; the window and the accessibility layer read it through queries.
class Game : private PointerHost {
 public:
  /// `locations`: where an installed game finds its files besides `programFolder`;
  /// left empty, the game knows only its own folder. `history`: where finished games
  /// are kept from one evening to the next; left out, the game keeps none and every
  /// evening's draw knows only that evening's games.
  Game(Platform& platform, TextMeasurer& measurer, QString programFolder, Screen::SheetLoader sheets = {},
       DataLocations locations = {}, GameHistory* history = nullptr);
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // game.cpp: start-up and a new game.
  void Start();
  void NewGame();

  // clicks.cpp: what a click on each element does (keys end up here too).
  void ClickElement(ElementId index);
  void ClickCaption(ElementId index) { ClickElement(index); }

  // tick.cpp: the 100 ms tick that drives the timed sequences.
  void Tick();

  // played_games.cpp: the player's finished games.
  /// Every finished game known, oldest first: those the history held when the game
  /// started (as the last write of the history found them, with the games of other
  /// copies running side by side), then each one played since.
  const std::vector<GameRecord>& PlayedGames() const { return m_played; }
  /// Forgets every finished game, in the history too, keeping nothing. False, with the
  /// player told why, when the history could not be emptied; the games are kept then.
  bool ForgetPlayedGames();

  // leaderboard.cpp: the board between games.
  void OpenLeaderboard();

  // key_commands.cpp: the keyboard, the commands and leaving the game.
  /// A key pressed with `modifiers` held: the command the key table gives it here.
  void KeyPressed(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  /// Carries out a command of keys and menu; the window's own (zoom, full screen)
  /// are the window's to carry out.
  void Perform(Command command);
  /// The window's close request; returns true to keep the window open.
  bool CloseRequested();
  /// A game is being played: from a new game until its end.
  bool GameInPlay() const;
  /// A turn of the mouse wheel over the game: it scrolls the leaderboard's list,
  /// three rows a notch (120 units), away from the player going up.
  void WheelBoard(int angleDelta);

  // The pages over the game: the rules (F1) and the about page. While one is up it
  // takes every key and click, and the question clock stands still.
  void ShowRulesPage();
  void ShowAboutPage();
  /// The player's record book (F3): the figures of every game played.
  void ShowRecordBook();
  /// Asks whether to forget every game played, and forgets them if the player says so;
  /// the record book, if open, then shows what is left.
  void ForgetRecordBook();
  void ClosePage();
  bool PageOpen() const { return m_screen.pages().visible(); }
  /// A click on the pages: the footer's arrows turn them, anywhere else closes them.
  void ClickPage(QPointF windowPoint);
  /// A turn of the mouse wheel over the pages: away from the player turns back.
  void WheelPage(int steps);

  // screen/pointer_input.cpp: hover and pressed looks, the window drag, the scroll bar.
  void PointerPressed(ElementId index, qreal x, qreal y) { m_pointer.PointerPressed(index, x, y); }
  void PointerMoved(ElementId index, qreal x, qreal y) { m_pointer.PointerMoved(index, x, y); }
  void PointerReleased(ElementId index, qreal x, qreal y) { m_pointer.PointerReleased(index, x, y); }
  /// The pointer left the window, or what it pointed at stops reacting to it.
  void DropHover() { m_pointer.DropHover(); }
  const PointerState& Pointer() const { return m_pointerState; }

  /// What the player typed into the record panel's name box.
  void TypeName(const QString& text);

  // Sound.
  /// Off silences everything that sounds at once; on again resumes the music and
  /// voices of the moment where they stood. The game itself goes on the same.
  void SetSoundOn(bool on);
  bool SoundOn() const { return m_soundOn; }

  // The time the player gives themselves to answer.
  /// From the next question that comes up (the first of a new game, when none is
  /// on the ladder); a question already up keeps the time it came with, so a
  /// choice can never stretch a clock the player is watching.
  void SetAnswerTime(AnswerTime time) { m_answerTime = time; }
  AnswerTime AnswerTimeChoice() const { return m_answerTime; }
  /// The most time any question of the game in play (or the last one) was given:
  /// its result carries that mark on the board.
  AnswerTime GameAnswerTime() const { return m_gameAnswerTime; }

  /// The message box, with the question clock held while it waits for the player.
  void Inform(const QString& text) { ShowMessage({text, InfoBox::Kind::Information}); }
  void Warn(const QString& text) { ShowMessage({text, InfoBox::Kind::Warning}); }
  InfoBox::Answer Confirm(const QString& text, InfoBox::Answer preset) {
    return ShowMessage({text, InfoBox::Kind::Question, preset});
  }

  // The model, read-only.
  Phase CurrentPhase() const;
  /// The panel shown last over the playing field, while it is open.
  Panel OpenPanel() const { return m_panel; }
  const Round& CurrentRound() const { return m_round; }
  const Judging& Judgement() const { return m_judging; }
  const QuestionClock& Clock() const { return m_clock; }
  const PollAnimation& Poll() const { return m_poll; }
  const TypingReveal& QuestionReveal() const { return m_questionReveal; }
  /// The friend's words on the phone panel, typed out as he speaks.
  const TypingReveal& FriendWords() const { return m_friendWords; }
  /// How the game last ended.
  Ending LastEnding() const { return m_ending; }
  /// The board's row the record panel's result takes; 0: none (or named already).
  int RecordRank() const { return m_recordRank; }
  const Screen& screen() const { return m_screen; }
  /// The parts of the screen changed since the window last asked, for it to repaint.
  QRegion TakeScreenChanges() { return m_screen.TakeDirty(); }
  /// The board as last shown or read.
  const WinnersTable& Board() const { return m_winners; }
  const DataPaths& paths() const { return m_paths; }
  /// The leaderboard file, where it is kept (tests point it elsewhere).
  void SetWinnersPath(const QString& path) { m_paths.winnersPath = path; }
  bool NewGameEnabled() const { return m_newGameEnabled; }
  bool WinnersEnabled() const { return m_winnersEnabled; }
  /// Answer k (1 … 4) stands at position `AnswerOrder(k)` (1 = A … 4 = D).
  int AnswerOrder(int k) const { return m_round.slots[std::size_t(k)]; }
  /// Element showing answer k.
  ElementId AnswerElement(int k) const { return AnswerSlot(AnswerOrder(k)); }
  /// The question on screen.
  const Question& CurrentQuestion() const;
  bool TimerEnabled() const { return m_timerEnabled; }
  /// `GameDrawn(level, slot)`: the row drawn from a level into slot 1 … 3 this game.
  int GameDrawn(int level, int slot) const { return m_gameDrawn[level][slot]; }
  /// The record panel's rating of a result.
  static QString RatingWord(int sum);
  /// Questions a game takes from level 1 … 6.
  static int QuestionsNeeded(int level);
  /// Seconds to answer question n (1 … 15).
  static int TimeLimitOf(int question);
  /// The questions whose prize a wrong answer cannot take away, first to last.
  static QList<int> GuaranteedQuestions();

 private:
  friend class GameTestAccess;

  bool AnswersOpen() const override { return m_round.answersOpen; }
  bool WindowNormal() override;
  void MoveWindowBy(qreal dx, qreal dy) override;

  // game.cpp: the next question, message boxes.
  /// Sets up the question `m_round.question` names: its limit, sums and draw.
  void PrepareQuestion();
  /// Puts the game at `setup` (tests and benchmarks).
  void SetUpRound(const RoundSetup& setup);
  /// The message box with the game's title; the question clock stands while it waits.
  InfoBox::Answer ShowMessage(const InfoBox::Message& message);

  // played_games.cpp: the record of the game in play, kept when it ends.
  /// Reads the history of finished games; says what stood in the way.
  void LoadPlayedGames();
  /// The question just drawn from `level` enters the record of the game.
  void RecordAsked(int level, const Question& question);
  /// The verdict on the question in play.
  void RecordAnswer(bool right);
  /// A lifeline taken on the question in play, and whether what it pointed to is right.
  void RecordLifeline(LifelineKind kind, bool pointedRight);
  /// The game has ended `how`: its record joins the played games and the history.
  void CommitGame(Ending how);
  /// Writes the games the history has not taken yet; true when none is left.
  bool WriteUnwrittenGames();
  /// The last of the played games that asked each question, by fingerprint (1 = the
  /// oldest game): what the draw reads.
  void IndexMetQuestions();
  /// The game in the played games that last asked `question`; 0: never asked.
  int LastMet(const Question& question) const;

  // question_draw.cpp: which question comes, the answers' order, the typing reveal.
  void DrawQuestion(int level);
  void ShuffleAnswers();
  void RevealQuestionText(ElementId index, const QString& text, int minChars);
  void QuestionRevealStep();

  // answering.cpp: choosing an answer, taking the money, judging, the ladder.
  void ChooseAnswer(ElementId index);
  void TakeMoney();
  void JudgingStep();
  void Verdict();
  /// Ends the game with the guaranteed sum going home: the ladder lights that sum's
  /// row and the result panel that fits opens.
  void EndGame(Ending how);
  /// Lights the ladder row of `question` (0: none), marks those below, clears those above.
  void ShowLadderAt(int question);

  // lifelines.cpp: 50/50, the phone and the audience poll.
  /// Crosses `lifeline` off for the rest of the game; false when it was used already.
  bool SpendLifeline(Lifeline lifeline);
  void UseFiftyFifty();
  void UsePhoneFriend();
  void UseAudiencePoll();
  void CastAudienceVotes(int answer);
  void AnimatePollBar(ElementId bar, int percent);
  void FriendRevealStep();
  void PollAnimationStep();
  /// Ends the poll's animation where its bars stand, and the clock's hold with it.
  void StopPollAnimation();
  /// Lets the question clock run again if the poll's growing bars held it.
  void ReleasePollClock();
  /// The poll share of answer k (1 … 4), kept by its position.
  int& Share(int answer);

  // question_clock.cpp: the clock strip and the time-out.
  void UpdateClock(ElementId index, float elapsed);
  void ShowClockWithoutLimit(ElementId index);
  void QuestionClockStep();
  /// The question clock stands still from the first hold to the last release; the
  /// seconds it stood are given back to the question.
  void HoldClock();
  void ReleaseClock();

  // panels.cpp, start_screen.cpp: the screens between games.
  void ShowPanel(Panel panel, bool visible);
  /// Stops what the question had running and takes its answers and lifelines away.
  void PutQuestionAway();
  /// The playing field emptied for a result panel.
  void ClearForResult();
  /// The field between games: the invitation, the theme, the ladder at rest.
  void ShowStartScreen();

  // leaderboard.cpp: the leaderboard view.
  /// Reads the board into `m_winners` for the view or the record panel, with the
  /// results not stored yet put in at their ranks.
  void LoadBoard();
  void ShowLeaderboard(bool visible);
  /// The lines below the board's rows that explain the marks they carry: a blank
  /// line, then one for each mark in use; none when no row is marked.
  QStringList BoardLegend() const;
  void ClearLeaderboard();
  /// A row, a panel, or to either end of the list.
  void ScrollBoard(Command command);
  // record_entry.cpp: the record panel, the player's name and storing the result.
  void ShowRecordPanel(bool visible);
  void ConfirmRecord();
  /// Puts the result of the record panel, with the name in the name box (or the
  /// default name), among the results to store; true when the result has a row.
  bool NameRecord();
  /// Stores the result of the record panel with its name; true when the result had
  /// a row of its own.
  bool StoreRecord();
  /// Tries once, without waiting, to store the results kept in memory. A lock that
  /// is held may clear: the tick tries again for a while before the player is told
  /// what holds the board; anything else is told at once. The results stay kept
  /// until a save stores them.
  void StoreKeptResults();
  /// Tries once more to store the results kept in memory; when they still cannot be
  /// stored, asks whether to leave without them. True: the game may close.
  bool StoreUnsavedBeforeExit();
  void OpenPages(QList<InfoPage> pages);
  // game.cpp: helpers of the draw and the start of a game.
  /// Whether every level a game draws from holds enough questions; says which does not.
  bool LevelsReadyForGame();

  // Sound: the music and voices of the moment reach the output whether or not it is
  // heard, so that sound on again resumes them; stings are moments and go unheard.
  void PlayCue(Cue sting);
  void StartBed(Cue bed);
  void StopBed();
  void StartMurmur(Cue murmur);
  /// Stops `murmur` if it is the voice talking now.
  void StopMurmur(Cue murmur);
  void StopAnyMurmur();
  /// The clock ticks once at each of the last five whole seconds left.
  void TickLastSeconds(float remaining);

  /// Int(random × n): 0 … n − 1, and 0 when n is 0.
  int RandomInt(int n);
  /// Draws base + Int(random × count) until `accept` takes the value, reseeding before
  /// each attempt when asked. A generator stuck on one value cannot hold the loop: after
  /// a bounded number of attempts one more draw picks among the acceptable values.
  /// Returns -1 when no value in the range is acceptable.
  int DrawUntil(int count, int base, bool reseed, const std::function<bool(int)>& accept);
  /// Rows a level offers the draw: its count, within the rows it actually holds.
  int LevelSize(int level) const;
  bool RowUsed(int level, int row) const;
  void SetRowUsed(int level, int row, bool used);

  Platform& m_platform;
  QString m_programFolder;
  DataLocations m_locations;
  Screen m_screen;
  PointerState m_pointerState;
  PointerInput m_pointer;
  QuestionTable m_questions;
  WinnersTable m_winners;

  // The model of the game.
  Round m_round;
  Panel m_panel = Panel::None;
  Judging m_judging;
  QuestionClock m_clock;
  PollAnimation m_poll;
  TypingReveal m_questionReveal;
  TypingReveal m_friendWords;
  Ending m_ending = Ending::Wrong;
  int m_recordRank = 0;  ///< 0: the result got no row

  /// Results whose save failed, oldest first; every later save tries them again.
  QList<WinnerEntry> m_unsaved;
  /// Steady seconds at which a save first found the board locked; set while the
  /// tick tries the kept results again.
  std::optional<double> m_storeRetrySince;
  /// The result being tried again has a row of its own: storing it plays its cue.
  bool m_cueWhenStored = false;
  /// Message boxes of the game now open: the tick's retries never put one over another.
  int m_boxesOpen = 0;
  /// The player has been told that the board cannot be read.
  bool m_unreadableReported = false;
  /// The version of the board file whose damage the player has been told about.
  QString m_damageReportedFor;
  DataPaths m_paths;
  std::array<std::array<int, 4>, 7> m_gameDrawn{};  ///< `GameDrawn(level, slot 1 … 3)`
  bool m_newGameEnabled = false;
  bool m_winnersEnabled = false;
  bool m_timerEnabled = false;
  /// The book of pages up, if any.
  enum class Book { None, Rules, About, RecordBook };
  Book m_book = Book::None;
  bool m_pollHoldsClock = false;  ///< the poll's bars are growing: the clock stands
  bool m_soundOn = true;
  AnswerTime m_answerTime = AnswerTime::Normal;
  AnswerTime m_gameAnswerTime = AnswerTime::Normal;
  /// The board's row to light when it opens: the one the player has just named.
  int m_boardHighlight = 0;
  std::optional<Cue> m_bed;     ///< the music of the moment
  std::optional<Cue> m_murmur;  ///< the voices talking over it
  int m_lastTickSecond = 0;     ///< seconds left at the clock's last tick; 0 none yet

  GameHistory* m_history = nullptr;  ///< none: games are not kept
  std::vector<GameRecord> m_played;  ///< see PlayedGames()
  /// Played games the history has not taken yet (a full disk …); every later write
  /// offers them again.
  std::vector<GameRecord> m_unwritten;
  GameRecord m_game;  ///< the game in play, as far as it has come
  /// The player has been told that games are not being kept; said again only after
  /// a write succeeded.
  bool m_historyProblemTold = false;
  QHash<QByteArray, int> m_lastMet;  ///< see IndexMetQuestions()
};
