#pragma once

#include <QByteArray>

struct Question;

/// A short stable name for a question's content, independent of its file and position:
/// the same question in an edited or reordered base keeps it, an edited text or answer
/// gets a new one. 16 lower-case hex digits.
QByteArray QuestionFingerprint(const Question& question);
