#include "engine/speech_text.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace speech {

QString Plain(const QString& text) {
  QString s = text;
  s.replace(u"\r\n"_s, u" "_s).replace(u'\n', u' ');
  // An ellipsis ends a thought as a full stop does; dashes and colons are pauses.
  s.replace(QRegularExpression(u"\\.{2,}|…"_s), u"."_s);
  s.replace(QRegularExpression(u"\\s*[:;—–]\\s*"_s), u", "_s);
  s.replace(QRegularExpression(u"\\s+-\\s+"_s), u", "_s);
  // "50/50" is said «50 на 50»; a hyphen inside a word («Муху-Цокотуху», «5-й») is a
  // pause, not «дефис».
  s.replace(QRegularExpression(u"(\\d)\\s*/\\s*(\\d)"_s), u"\\1 на \\2"_s);
  s.replace(QRegularExpression(u"(\\w)-(?=\\w)"_s, QRegularExpression::UseUnicodePropertiesOption), u"\\1 "_s);
  s.replace(QRegularExpression(u"[«»\"“”„()\\[\\]*_/\\\\|~^#]"_s), QString());
  s.replace(u'%', u" процентов"_s);
  s.replace(QRegularExpression(u"\\s+([,.!?])"_s), u"\\1"_s);
  s.replace(QRegularExpression(u",+"_s), u","_s);
  s.replace(QRegularExpression(u"\\s+"_s), u" "_s);
  s = s.trimmed();
  while (s.startsWith(u',') || s.startsWith(u'.')) s = s.mid(1).trimmed();
  return s;
}

QString Sum(qint64 sum) { return QString::number(sum); }

}  // namespace speech
