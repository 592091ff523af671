#include "data/answer_time.h"

using namespace Qt::StringLiterals;

int AnswerSeconds(int limit, AnswerTime time) { return time == AnswerTime::Doubled ? 2 * limit : limit; }

AnswerTime MoreTime(AnswerTime a, AnswerTime b) { return int(a) >= int(b) ? a : b; }

QString AnswerTimeMark(AnswerTime time) {
  switch (time) {
    case AnswerTime::Normal: return QString();
    case AnswerTime::Doubled: return u"*"_s;
    case AnswerTime::Unlimited: return u"**"_s;
  }
  return QString();
}

AnswerTime AnswerTimeOfSum(const QString& storedSum) {
  // Only the mark right behind the digits counts: anything else a damaged or
  // hand-made file holds there is no mark of ours.
  qsizetype digits = 0;
  while (digits < storedSum.size() && storedSum[digits].isDigit()) ++digits;
  if (digits == 0) return AnswerTime::Normal;
  const QStringView rest = QStringView(storedSum).mid(digits);
  for (const AnswerTime time : {AnswerTime::Doubled, AnswerTime::Unlimited})
    if (rest == AnswerTimeMark(time)) return time;
  return AnswerTime::Normal;
}

QString AnswerTimeWords(AnswerTime time) {
  switch (time) {
    case AnswerTime::Normal: return QString();
    case AnswerTime::Doubled: return u"время на ответ вдвое больше"_s;
    case AnswerTime::Unlimited: return u"без ограничения времени"_s;
  }
  return QString();
}

QString AnswerTimeLegend(AnswerTime time) {
  return time == AnswerTime::Normal ? QString() : AnswerTimeMark(time) + u" — "_s + AnswerTimeWords(time);
}
