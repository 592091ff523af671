#include "data/question_source.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/question_table.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kQuestionParts = 2;
constexpr int kAnswerParts = 3;
constexpr int kYearParts = 4;

// What the text of a field may hold: characters of code page 1251 from 32 up
// (smaller bytes do not scramble), and no more than the decoder reads back.
std::optional<QString> TextFault(const QString& text, int parts) {
  const qsizetype longest = kMaxScrambledLength / parts;
  if (text.size() > longest) {
    return u"текст слишком длинный для базы (знаков: %1, можно не больше %2)"_s.arg(text.size()).arg(longest);
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.unicode() < 32) return u"управляющий символ U+%1"_s.arg(int(c.unicode()), 4, 16, QChar(u'0'));
    if (!IsCp1251Encodable(c)) {
      char32_t code = c.unicode();
      QString shown(c);
      if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        code = QChar::surrogateToUcs4(c, text.at(i + 1));
        shown = text.mid(i, 2);
      }
      return u"знака «%1» (U+%2) нет в кодовой странице 1251"_s.arg(shown).arg(
          QString::number(uint(code), 16).toUpper().rightJustified(4, u'0'));
    }
  }
  return std::nullopt;
}

class SourceParser {
 public:
  QuestionSource Parse(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QList<QByteArray> lines = data.split('\n');
    // Nothing after the last line break is a line.
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    int lineNumber = 0;
    for (QByteArray& raw : lines) {
      ++lineNumber;
      if (raw.endsWith('\r')) raw.chop(1);
      QStringDecoder decoder(QStringDecoder::Utf8);
      const QString line = decoder.decode(raw);
      if (decoder.hasError()) {
        Error(lineNumber, u"строка не в кодировке UTF-8"_s);
        continue;
      }
      ParseLine(lineNumber, line);
    }
    CloseQuestion();
    if (m_levelLine == 0) {
      Error(m_firstQuestionLine ? m_firstQuestionLine : std::max(lineNumber, 1),
            u"перед первым вопросом нет строки «level: N»"_s);
    }
    std::stable_sort(m_source.errors.begin(), m_source.errors.end(),
                     [](const SourceError& a, const SourceError& b) { return a.line < b.line; });
    return std::move(m_source);
  }

 private:
  void Error(int line, const QString& reason) { m_source.errors.append({line, reason}); }

  static std::optional<QString> Key(const QString& line, QStringView key) {
    if (!line.startsWith(key, Qt::CaseInsensitive)) return std::nullopt;
    return line.mid(key.size()).trimmed();
  }

  void ParseLine(int n, const QString& raw) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) return;
    if (const auto value = Key(line, u"level:")) return Level(n, *value);
    if (const auto value = Key(line, u"year:")) return Year(n, *value);
    const QChar marker = line.at(0);
    const QString text = line.mid(1).trimmed();
    if (marker == u'?') return StartQuestion(n, text);
    if (marker == u'+' || marker == u'-') return Answer(n, marker == u'+', text);
    Error(n, u"непонятная строка: ожидается «level:», «year:», «?», «+» или «-»"_s);
  }

  void Level(int n, const QString& value) {
    if (m_levelLine) return Error(n, u"вторая строка «level:» (первая — строка %1)"_s.arg(m_levelLine));
    m_levelLine = n;
    if (m_firstQuestionLine) return Error(n, u"строка «level:» после первого вопроса"_s);
    if (value.size() != 1 || value.at(0) < u'0' || value.at(0) > u'6') {
      return Error(n, u"уровень — одна цифра от 0 до 6, а не «%1»"_s.arg(value));
    }
    m_source.level = value.at(0).digitValue();
  }

  void Year(int n, const QString& value) {
    if (m_yearLine) return Error(n, u"вторая строка «year:» (первая — строка %1)"_s.arg(m_yearLine));
    m_yearLine = n;
    if (value.isEmpty()) return Error(n, u"пустой год"_s);
    if (const auto fault = TextFault(value, kYearParts)) return Error(n, *fault);
    m_source.year = value;
  }

  void StartQuestion(int n, const QString& text) {
    CloseQuestion();
    if (!m_firstQuestionLine) m_firstQuestionLine = n;
    m_open = true;
    m_current = SourceQuestion{};
    m_current.line = n;
    m_current.text = text;
    m_correct = 0;
    m_wrong = 0;
    m_faulty = false;
    if (text.isEmpty()) {
      Error(n, u"вопрос без текста"_s);
      m_faulty = true;
    } else if (const auto fault = TextFault(text, kQuestionParts)) {
      Error(n, *fault);
      m_faulty = true;
    }
    if (++m_questionCount == kMaxQuestions + 1) {
      Error(n, u"больше %1 вопросов: больше игра с одного уровня не читает"_s.arg(kMaxQuestions));
    }
  }

  void Answer(int n, bool correct, const QString& text) {
    if (!m_open) return Error(n, u"ответ без вопроса"_s);
    if (correct ? m_correct == 1 : m_wrong == 3) {
      m_faulty = true;
      return Error(n, correct ? u"второй правильный ответ «+»"_s : u"четвёртый неправильный ответ «-»"_s);
    }
    const int slot = correct ? 0 : 1 + m_wrong;
    (correct ? m_correct : m_wrong)++;
    m_current.answers[size_t(slot)] = text;
    if (text.isEmpty()) {
      m_faulty = true;
      return Error(n, u"пустой ответ"_s);
    }
    if (const auto fault = TextFault(text, kAnswerParts)) {
      m_faulty = true;
      Error(n, *fault);
    }
  }

  void CloseQuestion() {
    if (!m_open) return;
    m_open = false;
    if (m_correct != 1 || m_wrong != 3) {
      Error(m_current.line,
            u"у вопроса должны быть один ответ «+» и три «-», а здесь %1 и %2"_s.arg(m_correct).arg(m_wrong));
      return;
    }
    if (!m_faulty) m_source.questions.push_back(std::move(m_current));
  }

  QuestionSource m_source;
  int m_levelLine = 0;
  int m_yearLine = 0;
  int m_firstQuestionLine = 0;
  int m_questionCount = 0;
  bool m_open = false;
  bool m_faulty = false;
  int m_correct = 0;
  int m_wrong = 0;
  SourceQuestion m_current;
};

}  // namespace

QuestionSource ParseQuestionSource(const QByteArray& utf8) { return SourceParser().Parse(utf8); }

QByteArray BuildQuestionBase(const QuestionSource& source, RandomSource& random) {
  QByteArray bytes;
  if (source.year) {
    bytes += "SECTION INFORMATIONS\r\nYEAR=";
    bytes += Scramble(ToCp1251(*source.year), kYearParts, random);
    bytes += "\r\nEND SECTION\r\n";
  }
  bytes += "SECTION QUESTIONS\r\n";
  for (const SourceQuestion& q : source.questions) {
    bytes += '\x01';
    bytes += Scramble(ToCp1251(q.text), kQuestionParts, random);
    for (int a = 0; a < 4; ++a) {
      bytes += char(2 + a);
      bytes += Scramble(ToCp1251(q.answers[size_t(a)]), kAnswerParts, random);
    }
    bytes += "\r\n";
  }
  bytes += "END SECTION\r\n";
  return bytes;
}

QString BaseFileName(const QString& sourcePath, int level) {
  QString name = QFileInfo(sourcePath).fileName();
  if (name.endsWith(u".txt"_s, Qt::CaseInsensitive)) name.chop(4);
  return name + u".ol"_s + QString::number(level);
}
