#pragma once

#include <QString>

/// A text that appears as if typed, a little more at every tick.
class TypingReveal {
 public:
  /// `shown` with the next piece of `text` after it: characters up to the first that
  /// makes `minChars` of them other than blanks at the piece's ends, or the rest.
  static QString Next(const QString& shown, const QString& text, int minChars);

  void Start(QString text = {}) {
    m_text = std::move(text);
    m_running = true;
  }
  void Stop() { m_running = false; }
  bool Running() const { return m_running; }
  /// The whole text being typed.
  const QString& Text() const { return m_text; }

 private:
  QString m_text;
  bool m_running = false;
};
