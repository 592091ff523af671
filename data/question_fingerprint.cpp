#include "data/question_fingerprint.h"

#include <QCryptographicHash>

#include "data/question_table.h"

namespace {

// Spacing and letter case are not content: a base re-saved by another editor keeps
// its questions' history.
QByteArray Canonical(const QString& text) { return text.simplified().toCaseFolded().toUtf8(); }

}  // namespace

QByteArray QuestionFingerprint(const Question& question) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  hash.addData(Canonical(question.text));
  for (const QString& answer : question.answers) {
    hash.addData(QByteArrayView("\n", 1));
    hash.addData(Canonical(answer));
  }
  return hash.result().toHex().left(16);
}
