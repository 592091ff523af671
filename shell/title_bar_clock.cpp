#include "shell/title_bar_clock.h"

using namespace Qt::StringLiterals;

QString TitleBarClock::Caption() const {
  if (m_timeAndDate) return m_timeAndDate();
  return Format(QDateTime::currentDateTime(), QLocale());
}

QString TitleBarClock::Format(const QDateTime& now, const QLocale& locale) {
  return now.time().toString(u"HH:mm:ss"_s) + u' ' + locale.toString(now.date(), QLocale::ShortFormat);
}
