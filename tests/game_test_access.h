#pragma once

#include "engine/game.h"

/// The narrow way in for tests and benchmarks: puts a game where a test needs it and
/// runs single steps of the game that a player reaches only through longer play.
class GameTestAccess {
 public:
  explicit GameTestAccess(Game& game) : m_game(game) {}

  /// Question `setup.question` prepared as a game reaching it prepares it.
  void SetUpRound(const RoundSetup& setup) { m_game.SetUpRound(setup); }
  /// Question `question` drawn from `level` into the running game.
  void DrawQuestion(int question, int level) {
    m_game.m_round.question = question;
    m_game.DrawQuestion(level);
  }
  /// The question number alone, as the lifelines read it, with nothing drawn.
  void SetQuestion(int question) { m_game.m_round.question = question; }
  /// The seconds the question on screen gives.
  void SetTimeLimit(int seconds) { m_game.m_clock.SetLimit(seconds); }
  /// The answer element chosen last, which the next shuffle avoids for the correct one.
  void SetLastChosen(std::optional<ElementId> element) { m_game.m_round.chosen = element; }
  void ShuffleAnswers() { m_game.ShuffleAnswers(); }
  void RevealQuestionText(ElementId index, const QString& text, int minChars) {
    m_game.RevealQuestionText(index, text, minChars);
  }
  /// `lifeline` may be used again, as at the start of a game.
  void GiveBackLifeline(Lifeline lifeline) {
    m_game.m_round.lifelinesUsed[std::size_t(lifeline)] = false;
    m_game.m_screen.EnableElement(LifelineButton(lifeline), true);
  }
  /// Answer k (1 … 4) taken away as 50/50 takes it.
  void RemoveAnswer(int k) {
    m_game.m_round.answersRemoved[std::size_t(k)] = true;
    m_game.m_screen.EnableElement(m_game.AnswerElement(k), false);
  }
  /// Every answer of the question back, as a question shows them.
  void RestoreAnswers() {
    m_game.m_round.answersRemoved = {};
    for (const ElementId e : kAnswerSlots) m_game.m_screen.EnableElement(e, true);
  }
  void UseFiftyFifty() { m_game.UseFiftyFifty(); }
  void UsePhoneFriend() { m_game.UsePhoneFriend(); }
  void UseAudiencePoll() { m_game.UseAudiencePoll(); }
  void AnimatePollBar(ElementId bar, int percent) { m_game.AnimatePollBar(bar, percent); }
  /// The poll's bars grow again from nothing.
  void RestartPoll() { m_game.m_poll.Start(m_game.m_poll.TakesPanel()); }
  /// The question's text types out again from nothing while its clock, started over
  /// at `now` with `limit` seconds, runs on.
  void RestartQuestion(double now, int limit) {
    m_game.m_screen.SetCaption(el::QuestionFrame, QString(), QString(), 0);
    m_game.m_questionReveal.Start(m_game.CurrentQuestion().text);
    m_game.m_clock.StartAt(now);
    m_game.m_clock.SetLimit(limit);
  }
  void ShowPanel(Panel panel, bool visible) { m_game.ShowPanel(panel, visible); }
  void ShowStartScreen() { m_game.ShowStartScreen(); }
  void ClearForResult() { m_game.ClearForResult(); }

  Screen& screen() { return m_game.m_screen; }
  QuestionTable& questions() { return m_game.m_questions; }

 private:
  Game& m_game;
};
