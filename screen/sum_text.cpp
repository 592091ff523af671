#include "screen/sum_text.h"

namespace {

// A thin space: narrow enough to read "1 000 000" as one number, and present in the
// bundled faces (the narrow no-break space is not).
constexpr char16_t kGroupSeparator = u'\u2009';

QString GroupDigits(const QString& digits) {
  QString grouped;
  const qsizetype n = digits.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) grouped += QChar(kGroupSeparator);
    grouped += digits.at(i);
  }
  return grouped;
}

}  // namespace

QString SumText(qint64 sum) {
  const QString digits = QString::number(sum);
  if (sum < 0) return QStringLiteral("-") + GroupDigits(digits.mid(1));
  return GroupDigits(digits);
}

QString SumText(const QString& storedSum) {
  qsizetype digits = 0;
  while (digits < storedSum.size() && storedSum.at(digits).isDigit() && storedSum.at(digits).unicode() < 128) ++digits;
  return GroupDigits(storedSum.left(digits)) + storedSum.mid(digits);
}
