#include <algorithm>
#include <utility>

#include "engine/game.h"
#include "engine/sentence_case.h"

using namespace Qt::StringLiterals;

namespace {

/// One of the friend's phrases: its band ends at `upTo` × K.
struct FriendPhrase {
  int upTo;
  const char16_t* text;
  bool namesAnswer;
};

constexpr std::array<FriendPhrase, 10> kFriendPhrases = {{
    {2, u"Я думаю, что правильный ответ — ", true},
    {3, u"Я не знаю ответа", false},
    {5, u"Мне кажется, что это ", true},
    {6, u"Подожди, сейчас посмотрю в энциклопедии..", false},
    {8, u"Может быть, это ", true},
    {9, u"Это тяжелый вопрос", false},
    {11, u"Возможно, это ", true},
    {12, u"Мы не смогли дозвониться до вашего друга", false},
    {14, u"Я не знаю точно, но, кажется, это ", true},
    {16, u"Я где-то слышал, что это ", true},
}};

}  // namespace

bool Game::SpendLifeline(Lifeline lifeline) {
  if (m_round.LifelineUsed(lifeline)) return false;
  m_round.lifelinesUsed[std::size_t(lifeline)] = true;
  m_screen.EnableElement(LifelineButton(lifeline), false);
  return true;
}

void Game::UseFiftyFifty() {
  if (!m_round.answersOpen || !SpendLifeline(Lifeline::FiftyFifty)) return;
  PlayCue(Cue::FiftyFifty);
  m_platform.Random().Reseed();
  const int a = RandomInt(3) + 2;
  const int b = DrawUntil(3, 2, false, [a](int v) { return v != a; });
  for (const int removed : {a, b}) {
    m_round.answersRemoved[std::size_t(removed)] = true;
    m_screen.EnableElement(AnswerElement(removed), false);
  }
  RecordLifeline(LifelineKind::FiftyFifty, false);
}

void Game::UsePhoneFriend() {
  if (!m_round.answersOpen || !SpendLifeline(Lifeline::PhoneFriend)) return;
  PlayCue(Cue::PhoneRing);
  m_clock.Extend(30);
  m_platform.Random().Reseed();
  const int knowledge = RandomInt(15) + 1;
  const int k = std::max(20 - m_round.question, 1);
  m_round.friendReliability = k;

  ElementId named = AnswerElement(1);
  if (knowledge > k) {
    // A guess among A, B and C that 50/50 left standing; at most two of them can
    // be gone, so there is always one.
    const int guess =
        DrawUntil(3, 1, false, [this](int position) { return !m_round.AnswerRemoved(m_round.AnswerAt(position)); });
    named = guess < 0 ? el::AnswerA : AnswerSlot(guess);
  }
  QString words = m_screen.element(named).caption.text;
  m_screen.SetCaption(el::PhonePanel, QString(), QString(), 0);

  const int r = RandomInt(16 * k) + 1;
  const FriendPhrase* phrase = &kFriendPhrases.back();
  for (const FriendPhrase& p : kFriendPhrases) {
    if (r <= p.upTo * k) {
      phrase = &p;
      break;
    }
  }
  if (phrase->namesAnswer) {
    // The answer stands mid-sentence: "…кажется, это в Австралии."
    words = WithinSentence(words, CommonWords(m_questions));
  } else {
    words.clear();
  }
  // A friend who names no answer points to none, so not to the right one.
  RecordLifeline(LifelineKind::PhoneFriend, phrase->namesAnswer && named == AnswerElement(1));

  ShowPanel(Panel::Poll, false);
  ShowPanel(Panel::Phone, true);
  // A poll used in this same tick has not shown its panel yet; the phone came last.
  m_poll.LeavePanel();
  // The friend talks for as long as his words appear.
  StartMurmur(Cue::PhoneMurmur);
  m_friendWords.Start(QString::fromUtf16(phrase->text) + words + u"."_s);
}

void Game::FriendRevealStep() {
  const QString& text = m_friendWords.Text();
  RevealQuestionText(el::PhonePanel, text, 1);
  const QString& shown = m_screen.element(el::PhonePanel).caption.text;
  if (shown == text || shown.size() >= text.size()) {
    m_friendWords.Stop();
    m_screen.SetCaption(el::PhonePanel, text, QString(), 0);
    StopMurmur(Cue::PhoneMurmur);
  }
}

void Game::UseAudiencePoll() {
  if (!m_round.answersOpen || !SpendLifeline(Lifeline::AudiencePoll)) return;
  m_platform.Random().Reseed();
  const int knowledge = RandomInt(15) + 1;
  int rest = 0;

  if (knowledge <= 20 - m_round.question) {
    Share(1) = RandomInt(60) + 20;
    rest = 100 - Share(1);
    Share(2) = RandomInt(rest);
    rest -= Share(2);
    Share(3) = RandomInt(rest);
    rest -= Share(3);
    Share(4) = rest;
    // An audience that knows never favours a wrong answer: the largest wrong share,
    // should it beat the correct one, changes places with it.
    int largestWrong = 2;
    for (int k = 3; k <= 4; ++k)
      if (Share(k) > Share(largestWrong)) largestWrong = k;
    if (Share(largestWrong) > Share(1)) std::swap(Share(1), Share(largestWrong));
  } else {
    Share(4) = RandomInt(40);
    rest = 100 - Share(4);
    Share(3) = RandomInt(40);
    rest -= Share(3);
    // The product is real: Int(random × rest × 2 / 3), not Int(random × Int(rest × 2 / 3)).
    const double r = m_platform.Random().Next();
    Share(2) = std::clamp(int(std::floor(r * rest * 2.0 / 3.0)), 0, int(rest));
    rest -= Share(2);
    Share(1) = rest;
  }

  CastAudienceVotes(2);
  CastAudienceVotes(3);
  CastAudienceVotes(4);
  // The hall points to the right answer when no other gets more votes.
  RecordLifeline(LifelineKind::AskAudience, Share(1) >= std::max({Share(2), Share(3), Share(4)}));
  m_poll.Start(true);
  // The player cannot read the poll before its bars have grown: the question clock
  // stands still meanwhile.
  if (!m_pollHoldsClock) HoldClock();
  m_pollHoldsClock = true;
  // The hall answers the key at once, not a tick later when its bars begin to grow.
  StartMurmur(Cue::AudienceMurmur);
}

void Game::StopPollAnimation() {
  m_poll.Stop();
  ReleasePollClock();
}

void Game::ReleasePollClock() {
  if (!std::exchange(m_pollHoldsClock, false)) return;
  ReleaseClock();
}

void Game::CastAudienceVotes(int answer) {
  if (answer < 2 || answer > 4) return;
  if (!m_round.AnswerRemoved(answer)) return;
  Share(1) += Share(answer);
  const int s = RandomInt(10);
  if (s == 5 && Share(1) > 10) {
    Share(answer) = RandomInt(10);
    Share(1) -= Share(answer);
  } else {
    Share(answer) = 0;
  }
}

void Game::PollAnimationStep() {
  const int t = m_poll.Advance();
  for (int position = 1; position <= 4; ++position) AnimatePollBar(PollBar(position), m_poll.BarNow(position));
  if (t == 1 && m_poll.TakesPanel()) {
    ShowPanel(Panel::Phone, false);
    ShowPanel(Panel::Poll, true);
    StartMurmur(Cue::AudienceMurmur);
  }
  // The clock runs again once the last bar has reached its share.
  if (m_poll.Grown()) ReleasePollClock();
  if (t >= PollAnimation::kTicks) {
    StopPollAnimation();
    StopMurmur(Cue::AudienceMurmur);
  }
}

void Game::AnimatePollBar(ElementId bar, int percent) {
  const Element& e = m_screen.element(bar);
  const float full = float(e.fullWidth);
  const float growing = full - float(e.captionBox.width()) - float(e.captionBox.left());
  const float width = (full - growing) + float(percent) * (growing / 100.0f);
  m_screen.SetWidth(bar, width);
  m_screen.SetCaption(bar, QString::number(percent) + u"%"_s, QString(), 0);
}
