#include "engine/game.h"

using namespace Qt::StringLiterals;

void Game::PutQuestionAway() {
  m_judging.Stop();
  m_clock.Stop();
  // Their panels go below; left running, a poll begun in the game's last tick would
  // bring its panel back over the result panel.
  StopPollAnimation();
  m_friendWords.Stop();
  StopAnyMurmur();
  for (int e : {el::QuestionFrame, el::AnswerA, el::AnswerA + 1, el::AnswerA + 2, el::AnswerD,
                el::FiftyFifty, el::PhoneFriend, el::AudiencePoll, el::TakeMoney})
    m_screen.EnableElement(e, false);
  ShowPanel(Panel::Phone, false);
  ShowPanel(Panel::Poll, false);
  m_screen.SetVisible(el::ClockBar, false);
  for (int e = el::AnswerA; e <= el::AnswerD; ++e)
    m_screen.SetCaption(e, QString(), QString(), 0);
}

void Game::ClearForResult() {
  PutQuestionAway();
  StopBed();
  m_screen.SetCaption(el::QuestionFrame, QString(), QString(), 0);
}

void Game::ShowStartScreen() {
  PutQuestionAway();
  // Between games the theme plays.
  StartBed(Cue::Theme);
  m_round.question = 0;
  m_screen.SetCaption(el::QuestionFrame,
                      u"Чтобы начать новую игру, нажмите F2 или "_s + u"\"Новая\""_s + u" в "_s +
                          u"\"Меню\""_s + u". Правила игры — F1."_s,
                      QString(), 0);
  ShowLadderAt(0);
  // Between games the lifelines wait for the next one: not crossed out as used,
  // though they take no click until it starts.
  for (int e : {el::FiftyFifty, el::PhoneFriend, el::AudiencePoll}) m_screen.PaintRow(e, 1, 4);
  m_round.answersOpen = false;
  m_winnersEnabled = true;
  m_newGameEnabled = true;
}
