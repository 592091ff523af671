#include "data/question_loader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/info_box.h"
#include "data/line_reader.h"

using namespace Qt::StringLiterals;

namespace {

// A field keeps one byte more than the decoder reads, so that an overlong field
// still gets the damage message it would get whole, without keeping all of it.
constexpr qsizetype kFieldCap = kMaxScrambledLength + 1;

constexpr int kQuestionParts = 2;
constexpr int kAnswerParts = 3;
constexpr int kYearParts = 4;

// Means "no year read yet in this file"; a year that decodes to it counts as none.
QString NoYearMarker() { return u"Неизвестный год (Varnaby)"_s; }

enum class Section { None, Questions, Informations };

// Tells whether a line, spaces trimmed at both ends and in upper case, is one of
// the section keywords. Keeps only as much of the line as the longest keyword.
class KeywordMatcher {
 public:
  enum Keyword { NoKeyword, OpenQuestions, OpenInformations, EndSection };

  void Reset() {
    m_size = 0;
    m_spaces = 0;
    m_tooLong = false;
  }
  void Feed(const unsigned char* p, qsizetype n) {
    for (qsizetype i = 0; i < n && !m_tooLong; ++i) {
      const unsigned char c = p[i];
      if (c == ' ') {
        if (m_size > 0 && m_spaces <= kCapacity) ++m_spaces;
        continue;
      }
      if (m_size + m_spaces + 1 > kCapacity) {
        m_tooLong = true;
        return;
      }
      for (; m_spaces > 0; --m_spaces) m_text[m_size++] = ' ';
      m_text[m_size++] = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
  }
  Keyword Result() const {
    if (m_tooLong) return NoKeyword;
    const QByteArrayView text(m_text, m_size);
    if (text == "SECTION QUESTIONS") return OpenQuestions;
    if (text == "SECTION INFORMATIONS") return OpenInformations;
    if (text == "END SECTION") return EndSection;
    return NoKeyword;
  }

 private:
  static constexpr int kCapacity = 24;
  char m_text[kCapacity];
  int m_size = 0;
  int m_spaces = 0;
  bool m_tooLong = false;
};

// Reads "YEAR=value" out of an information line: leading spaces dropped, the key
// before the first "=" in any letter case, the value to the end of the line.
class YearMatcher {
 public:
  void Reset() {
    m_state = kLeading;
    m_keySize = 0;
    m_value.clear();
  }
  void Feed(const unsigned char* p, qsizetype n) {
    qsizetype i = 0;
    while (i < n) {
      switch (m_state) {
        case kLeading:
          if (p[i] == ' ') {
            ++i;
          } else {
            m_state = kKey;
          }
          break;
        case kKey: {
          const unsigned char c = p[i++];
          if (c == '=') {
            m_state = IsYearKey() ? kValue : kIgnored;
          } else if (m_keySize < 5) {
            m_key[m_keySize++] = char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
          } else {
            m_state = kIgnored;
          }
          break;
        }
        case kValue: {
          const qsizetype take = std::min(n - i, kFieldCap - m_value.size());
          if (take > 0) m_value.append(reinterpret_cast<const char*>(p + i), take);
          return;
        }
        case kIgnored:
          return;
      }
    }
  }
  bool HasYear() const { return m_state == kValue; }
  const QByteArray& value() const { return m_value; }

 private:
  enum State { kLeading, kKey, kValue, kIgnored };
  bool IsYearKey() const { return QByteArrayView(m_key, m_keySize) == "YEAR"; }

  State m_state = kLeading;
  char m_key[5];
  int m_keySize = 0;
  QByteArray m_value;
};

struct RawRow {
  std::array<QByteArray, 5> fields;  // question text, answers 1 … 4, scrambled
  QString year;
  int file = 0;  // index of the file it was read from
};

// A file of the level as read, and the damaged fields found in it.
struct ReadFileEntry {
  QString name;
  int damagedFields = 0;
};

// Byte classes of a question line.
enum ByteClass : unsigned char { Plain = 0, Marker = 1, Skipped = 2 };
constexpr std::array<unsigned char, 256> MakeByteClasses() {
  std::array<unsigned char, 256> table{};
  for (int b = 1; b <= 5; ++b) table[b] = Marker;
  table[10] = table[13] = table[27] = Skipped;
  return table;
}
constexpr std::array<unsigned char, 256> kByteClass = MakeByteClasses();

}  // namespace

class QuestionLevelReader::Parser {
 public:
  explicit Parser(InfoBox& box) : m_box(box) {}

  // Line sink for ReadLines.
  void Bytes(const char* data, qsizetype size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    m_keyword.Feed(p, size);
    if (m_lineSection == Section::Questions) {
      ScanRecords(p, size);
    } else if (m_lineSection == Section::Informations) {
      m_year.Feed(p, size);
    }
  }
  void EndLine() {
    if (m_lineSection == Section::Informations && m_year.HasYear()) TakeYear(m_year.value());
    switch (m_keyword.Result()) {
      case KeywordMatcher::OpenQuestions:
        if (m_section == Section::None) m_section = Section::Questions;
        break;
      case KeywordMatcher::OpenInformations:
        if (m_section == Section::None) m_section = Section::Informations;
        break;
      case KeywordMatcher::EndSection:
        m_section = Section::None;
        break;
      case KeywordMatcher::NoKeyword:
        break;
    }
    StartLine();
  }

  void ReadFile(QIODevice& file, const QString& name) {
    m_files.push_back({name, 0});
    m_currentYear = NoYearMarker();
    m_section = Section::None;
    StartLine();
    ReadLines(file, *this);
  }

  void Finish(int level, QuestionLevel& out) {
    const int count = int(m_rows.size());
    out.count = count;
    out.rows.assign(size_t(count), Question{});
    if (count >= kFewestQuestionsToPlay || level == 0) {
      out.usedCount = 0;
      out.used.assign(size_t(count), false);
      out.decoded = true;
      for (int r = 0; r < count; ++r) {
        RawRow& raw = m_rows[size_t(r)];
        Question& row = out.rows[size_t(r)];
        row.text = FromCp1251(Decode(raw.fields[0], kQuestionParts, raw.file));
        for (int a = 0; a < 4; ++a) {
          row.answers[size_t(a)] = FromCp1251(Decode(raw.fields[size_t(a) + 1], kAnswerParts, raw.file));
        }
        row.year = raw.year;
        raw = RawRow{};
      }
      ReportDamage();
    } else {
      ReportDamage();
      m_box.Show(TooFewQuestionsMessage(level, count), InfoBox::InformationOk);
      // Left as read: the scrambled bytes, and the drawn flags as they were.
      out.used.resize(size_t(count), false);
      out.decoded = false;
      for (int r = 0; r < count; ++r) {
        const RawRow& raw = m_rows[size_t(r)];
        Question& row = out.rows[size_t(r)];
        row.text = FromCp1251(raw.fields[0]);
        for (int a = 0; a < 4; ++a) row.answers[size_t(a)] = FromCp1251(raw.fields[size_t(a) + 1]);
        row.year = raw.year;
      }
    }
    m_rows.clear();
    m_files.clear();
    m_lastDated = 0;
    m_lastRecordDropped = false;
  }

 private:
  // Decodes a field of file `file`, counting it there when it is damaged.
  QByteArray Decode(const QByteArray& scrambled, int parts, int file) {
    bool damaged = false;
    QByteArray plain = DecodeScrambled(scrambled, parts, damaged);
    if (damaged) ++m_files[size_t(file)].damagedFields;
    return plain;
  }

  // One message per damaged file: a base damaged throughout would otherwise stop
  // the start-up with a box for every field.
  void ReportDamage() {
    for (const ReadFileEntry& file : m_files) {
      if (file.damagedFields > 0) {
        m_box.Show(DamagedFileMessage(file.name, file.damagedFields), InfoBox::StopOk);
      }
    }
  }

  void StartLine() {
    m_lineSection = m_section;
    m_field = nullptr;
    m_keyword.Reset();
    if (m_lineSection == Section::Informations) m_year.Reset();
  }

  void ScanRecords(const unsigned char* p, qsizetype size) {
    qsizetype i = 0;
    while (i < size) {
      const qsizetype start = i;
      while (i < size && kByteClass[p[i]] == Plain) ++i;
      if (i > start && m_field) {
        const qsizetype take = std::min(i - start, kFieldCap - m_field->size());
        if (take > 0) m_field->append(reinterpret_cast<const char*>(p + start), take);
      }
      if (i == size) break;
      const unsigned char c = p[i++];
      if (kByteClass[c] == Marker) StartField(c);
    }
  }

  void StartField(unsigned char marker) {
    if (marker == 1) {
      // Records past the table's end are dropped, and so are their answers.
      m_lastRecordDropped = m_rows.size() >= size_t(kMaxQuestions);
      if (m_lastRecordDropped) {
        m_field = nullptr;
        return;
      }
      m_rows.emplace_back();
      m_rows.back().file = int(m_files.size()) - 1;
      if (m_currentYear != NoYearMarker()) {
        m_rows.back().year = m_currentYear;
        m_lastDated = m_rows.size();
      }
      m_field = &m_rows.back().fields[0];
      return;
    }
    // An answer marker belongs to the latest question; before the level's first
    // one there is none, and the bytes go nowhere.
    m_field = (m_rows.empty() || m_lastRecordDropped) ? nullptr : &m_rows.back().fields[marker - 1u];
  }

  void TakeYear(const QByteArray& scrambled) {
    m_currentYear = FromCp1251(Decode(scrambled, kYearParts, int(m_files.size()) - 1));
    // Questions read since the last dated one, in this file or an earlier one of
    // the level, take this year too.
    for (size_t r = m_lastDated; r < m_rows.size(); ++r) m_rows[r].year = m_currentYear;
    m_lastDated = m_rows.size();
  }

  InfoBox& m_box;
  std::vector<RawRow> m_rows;
  std::vector<ReadFileEntry> m_files;
  size_t m_lastDated = 0;
  bool m_lastRecordDropped = false;

  // Per file.
  QString m_currentYear;
  Section m_section = Section::None;

  // Per line.
  Section m_lineSection = Section::None;
  QByteArray* m_field = nullptr;
  KeywordMatcher m_keyword;
  YearMatcher m_year;
};

QuestionLevelReader::QuestionLevelReader(InfoBox& box) : m_box(box), m_parser(std::make_unique<Parser>(box)) {}
QuestionLevelReader::~QuestionLevelReader() = default;

void QuestionLevelReader::ReadFile(QIODevice& file, const QString& name) { m_parser->ReadFile(file, name); }

void QuestionLevelReader::ReadBytes(const QByteArray& fileBytes, const QString& name) {
  QBuffer buffer;
  buffer.setData(fileBytes);
  buffer.open(QIODevice::ReadOnly);
  m_parser->ReadFile(buffer, name);
}

void QuestionLevelReader::Finish(int level, QuestionLevel& out) { m_parser->Finish(level, out); }

QString NoBasesMessage(int level) {
  const QString digit = QString::number(level);
  return u"Базы вопросов не найдены!!!\r\nДля уровня "_s + digit + u" нет ни одного файла *.ol"_s +
         digit + u"."_s;
}

QString LevelQuestionCountText(int level, int count, int needed) {
  const QString where = u"На уровне "_s + QString::number(level);
  const QString need = u", а для игры нужно не меньше "_s + QString::number(needed) + u"."_s;
  if (count <= 0) return where + u" нет ни одного вопроса"_s + need;
  // Russian counts: 1, 21 … вопрос; 2 … 4, 22 … вопроса; 5 … 20 вопросов.
  const int tens = count % 100, ones = count % 10;
  const QString noun = tens >= 11 && tens <= 14 ? u"вопросов"_s
                       : ones == 1              ? u"вопрос"_s
                       : ones >= 2 && ones <= 4 ? u"вопроса"_s
                                                : u"вопросов"_s;
  return where + u" всего "_s + QString::number(count) + u" "_s + noun + need;
}

QString TooFewQuestionsMessage(int level, int count) {
  return u"Очень мало вопросов!!!\r\n"_s + LevelQuestionCountText(level, count, kFewestQuestionsToPlay);
}

QStringList ListQuestionBaseFiles(const QString& questionFolder, int level) {
  if (questionFolder.isEmpty() || level < 0 || level >= kLevelCount) return {};
  const QString suffix = u".ol"_s + QString::number(level);
  // Without QDir::Hidden and QDir::System: no hidden files, and nothing that is
  // not an ordinary file (a pipe would never end).
  const QFileInfoList entries = QDir(questionFolder).entryInfoList(QDir::Files);
  QStringList names;
  for (const QFileInfo& entry : entries) {
    if (entry.isFile() && entry.fileName().endsWith(suffix, Qt::CaseInsensitive)) {
      names.append(entry.fileName());
    }
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  QStringList paths;
  const QDir folder(questionFolder);
  for (const QString& name : names) paths.append(folder.filePath(name));
  return paths;
}

void LoadQuestionBase(int level, const QString& questionFolder, QuestionTable& table, InfoBox& box) {
  if (questionFolder.isEmpty()) return;
  LoadQuestionBase(level, QStringList{questionFolder}, table, box);
}

void LoadQuestionBase(int level, const QStringList& questionFolders, QuestionTable& table, InfoBox& box) {
  if (questionFolders.isEmpty() || level < 0 || level >= kLevelCount) return;
  QuestionLevel& target = table.levels[size_t(level)];
  // Folder after folder: the shipped bases keep their rows, a player's pack follows.
  QStringList files;
  for (const QString& folder : questionFolders) files += ListQuestionBaseFiles(folder, level);
  if (files.isEmpty()) {
    box.Show(NoBasesMessage(level), InfoBox::StopOk);
    target.count = 0;
    target.rows.clear();
    target.used.clear();
    target.decoded = false;
    return;
  }
  QuestionLevelReader reader(box);
  for (const QString& path : files) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) continue;  // unreadable: skipped
    reader.ReadFile(file, QDir::toNativeSeparators(path));
  }
  reader.Finish(level, target);
}

DataPaths LoadQuestionBases(const QString& programFolder, const DataLocations& locations, QuestionTable& table,
                            InfoBox& box, const FolderWritableCheck& writable) {
  DataPaths paths = ResolvePaths(programFolder, locations, box, writable);
  if (paths.questionFolders.isEmpty()) return paths;
  for (int level = 0; level < kLevelCount; ++level) LoadQuestionBase(level, paths.questionFolders, table, box);
  return paths;
}

DataPaths LoadQuestionBases(const QString& programFolder, QuestionTable& table, InfoBox& box,
                            const FolderWritableCheck& writable) {
  return LoadQuestionBases(programFolder, DataLocations{}, table, box, writable);
}
