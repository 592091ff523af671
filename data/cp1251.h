#pragma once

#include <QByteArray>
#include <QString>

/// Windows code page 1251, the one-byte Cyrillic code page every data file is
/// written in. The table is exact: each byte 0x80 … 0xFF maps to its own character,
/// except 0x98, which the code page leaves unassigned and which reads as U+FFFD.

/// One byte per character; a character outside the code page (a surrogate pair
/// counts as one character) becomes '?'.
QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);
QString FromCp1251(const char* data, qsizetype size);
/// Whether `c` has a byte of its own in code page 1251 (control characters have).
bool IsCp1251Encodable(QChar c);
/// A typed name as it may be stored: every character outside code page 1251 or
/// below 32 becomes "?", everything else is kept, so the result encodes and
/// scrambles without loss.
QString MakeEncodable(const QString& name);
