#include "engine/typing_reveal.h"

namespace {

/// Blanks removed from both ends; other white space stays.
QString TrimBlanks(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.mid(first, last - first);
}

}  // namespace

QString TypingReveal::Next(const QString& shown, const QString& text, int minChars) {
  const qsizetype from = shown.size();
  qsizetype n = 0;
  for (;;) {
    ++n;
    if (n >= text.size()) break;
    if (TrimBlanks(text.mid(from, n)).size() >= minChars) break;
  }
  return shown + text.mid(from, n);
}
