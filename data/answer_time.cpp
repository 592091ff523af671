#include "data/answer_time.h"

using namespace Qt::StringLiterals;

namespace {

/// How the board marks a result played with a time, and what the mark stands for.
struct TimeMarking {
  AnswerTime time;
  const char16_t* mark;
  const char16_t* words;
};

constexpr TimeMarking kMarkings[] = {
    {AnswerTime::Normal, u"", u""},
    {AnswerTime::Doubled, u"*", u"время на ответ вдвое больше"},
    {AnswerTime::Unlimited, u"**", u"без ограничения времени"},
};

const TimeMarking& MarkingOf(AnswerTime time) {
  for (const TimeMarking& m : kMarkings)
    if (m.time == time) return m;
  return kMarkings[0];
}

}  // namespace

int AnswerSeconds(int limit, AnswerTime time) { return time == AnswerTime::Doubled ? 2 * limit : limit; }

AnswerTime MoreTime(AnswerTime a, AnswerTime b) { return int(a) >= int(b) ? a : b; }

QString AnswerTimeMark(AnswerTime time) { return QString::fromUtf16(MarkingOf(time).mark); }

AnswerTime AnswerTimeOfSum(const QString& storedSum) {
  // Only the mark right behind the digits counts: anything else a damaged or
  // hand-made file holds there is no mark of ours.
  qsizetype digits = 0;
  while (digits < storedSum.size() && storedSum[digits].isDigit()) ++digits;
  if (digits == 0) return AnswerTime::Normal;
  const QStringView rest = QStringView(storedSum).mid(digits);
  for (const TimeMarking& m : kMarkings)
    if (m.time != AnswerTime::Normal && rest == QStringView(m.mark)) return m.time;
  return AnswerTime::Normal;
}

QString AnswerTimeWords(AnswerTime time) { return QString::fromUtf16(MarkingOf(time).words); }

QString AnswerTimeLegend(AnswerTime time) {
  return time == AnswerTime::Normal ? QString() : AnswerTimeMark(time) + u" — "_s + AnswerTimeWords(time);
}
