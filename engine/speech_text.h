#pragma once

#include <QString>

/// Texts shaped for a speech synthesiser: a screen reader at its usual settings
/// reads most punctuation aloud («двоеточие», «кавычка», «длинное тире»), which
/// costs a listening player time and sense.
namespace speech {

/// `text` with the marks a listener should not hear turned into pauses or dropped,
/// its line breaks into spaces and its runs of blanks into one.
QString Plain(const QString& text);

/// A sum as a number a synthesiser reads as one: no group separators.
QString Sum(qint64 sum);

}  // namespace speech
