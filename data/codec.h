#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class InfoBox;
class RandomSource;

/// The scrambled text of the data files: each plain byte is written as a group of
/// `parts` random bytes that add up to it, none of them a line break or a marker.

/// Longest scrambled text the decoder reads; what lies beyond is damage.
constexpr qsizetype kMaxScrambledLength = 32767;

namespace codec_detail {
// Bytes the file formats keep for themselves: NUL, the markers 1 … 5, tab, line
// feed, carriage return, end-of-file and escape.
constexpr bool IsForbidden(unsigned symbol) {
  return symbol <= 5 || symbol == 9 || symbol == 10 || symbol == 13 || symbol == 26 || symbol == 27;
}
}  // namespace codec_detail

/// True when `symbol` may appear in scrambled text.
constexpr bool IsAllowedByte(quint8 symbol) { return !codec_detail::IsForbidden(symbol); }

/// Smallest byte that splits into `parts` allowed bytes: six, the smallest allowed
/// byte, in every place. Every byte from there up to 255 splits.
constexpr int SmallestSplittable(int parts) { return 6 * parts; }
/// Whether `Scramble` can write `byte` with `parts` bytes as it is.
constexpr bool CanSplit(int byte, int parts) { return parts >= 2 && byte >= SmallestSplittable(parts) && byte <= 255; }

/// "Данные повреждены. Расшифровка невозможна!!!"
QString DamagedDataMessage();

/// Decodes scrambled `text` written with group size `parts` (below 1 counts as 1).
/// A group adding up to more than 255, or a text longer than kMaxScrambledLength,
/// shows DamagedDataMessage() with the stop icon, once per call, and returns what
/// the complete groups before the damage (within the first kMaxScrambledLength
/// bytes) gave. A trailing incomplete group is dropped without a message.
QByteArray Unscramble(const QByteArray& text, int parts, InfoBox& box);
/// The same without a message: `damaged` tells whether Unscramble would show one.
/// Readers of whole files count the damage and report it once per file.
QByteArray DecodeScrambled(const QByteArray& text, int parts, bool& damaged);

/// The one message for a file with damaged fields: DamagedDataMessage(), then the
/// file (left out when empty) and how many of its fields were damaged.
QString DamagedFileMessage(const QString& file, int damagedFields);

/// Scrambles plain `text` with group size `parts`, drawing from `random`.
/// Every group holds `parts` allowed bytes adding up to its plain byte, so the
/// result is exactly parts × text.size() bytes long and never holds a forbidden one.
/// A byte below SmallestSplittable(parts) has no such group; it is raised to that
/// value (callers make their text encodable first, so this only guards the format).
/// With `parts` below 2, or so large that no byte splits (above 42), the result is
/// empty. The encoder never loops: when the draws keep failing (an unlucky or
/// scripted source), a group is built without them.
QByteArray Scramble(const QByteArray& text, int parts, RandomSource& random);
