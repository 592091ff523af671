#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>
#include <utility>

/// The title bar doubles as a clock: at every tick the window writes the time and
/// the date into its caption, whatever the game is doing.
class TitleBarClock {
 public:
  /// `timeAndDate` stands in for the system clock; empty: the system clock.
  explicit TitleBarClock(std::function<QString()> timeAndDate = {}) : m_timeAndDate(std::move(timeAndDate)) {}

  /// The caption for this tick.
  QString Caption() const;
  /// The time, a blank and the date in the locale's short form.
  static QString Format(const QDateTime& now, const QLocale& locale);

 private:
  std::function<QString()> m_timeAndDate;
};
