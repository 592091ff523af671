#include "engine/game.h"
#include "screen/key_table.h"
#include "screen/question_buttons.h"

using namespace Qt::StringLiterals;

void Game::PutQuestionAway() {
  m_judging.Stop();
  m_clock.Stop();
  // Their panels go below; left running, a poll begun in the game's last tick would
  // bring its panel back over the result panel.
  StopPollAnimation();
  m_friendWords.Stop();
  StopAnyMurmur();
  for (const ElementId e : {el::QuestionFrame, el::AnswerA, el::AnswerB, el::AnswerC, el::AnswerD})
    m_screen.EnableElement(e, false);
  for (const ElementId e : kQuestionButtons) m_screen.EnableElement(e, false);
  ShowPanel(Panel::Phone, false);
  ShowPanel(Panel::Poll, false);
  m_screen.SetVisible(el::ClockBar, false);
  for (const ElementId e : kAnswerSlots) m_screen.SetCaption(e, QString(), QString(), 0);
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
                      u"Чтобы начать новую игру, нажмите "_s + KeySpellings(Command::NewGame).first() + u" или "_s +
                          u"\"Новая\""_s + u" в "_s + u"\"Меню\""_s + u". Правила игры — "_s +
                          KeySpellings(Command::Rules).first() + u"."_s,
                      QString(), 0);
  ShowLadderAt(0);
  // Between games the lifelines wait for the next one: not crossed out as used,
  // though they take no click until it starts.
  for (const ElementId e : kLifelines) m_screen.ShowLook(e, LifelineLook::Normal);
  m_round.answersOpen = false;
  m_winnersEnabled = true;
  m_newGameEnabled = true;
}
