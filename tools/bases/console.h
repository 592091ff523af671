#pragma once

#include <QString>

#include <cstdio>

/// Exit status of a call whose words are off.
constexpr int kUsageError = 2;

/// Writes text as UTF-8, whatever the terminal's locale says.
inline void Print(FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}
