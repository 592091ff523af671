#include "screen/counted_words.h"

#include <cstdlib>

QString Counted(qint64 count, const QString& one, const QString& few, const QString& many) {
  const qint64 tens = std::llabs(count) % 100, ones = std::llabs(count) % 10;
  const QString& noun = tens >= 11 && tens <= 14 ? many : ones == 1 ? one : ones >= 2 && ones <= 4 ? few : many;
  return QString::number(count) + QLatin1Char(' ') + noun;
}
