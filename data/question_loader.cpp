#include "data/question_loader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

#include "data/codec.h"
#include "data/cp1251.h"
#include "data/info_box.h"
#include "data/line_reader.h"
#include "data/ordinary_file.h"
#include "data/question_load_report.h"

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
        case kIgnored: return;
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
  int yearDamage = 0;       // of damagedFields, those in years (decoded while read)
  bool hasSection = false;  // a base has at least one section line; other text has none
};

// A base file found in a folder: its path as the file system's bytes, and as shown.
struct BaseFile {
  QByteArray nativePath;
  QString shownPath;
  qint64 size = 0;
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
  Parser() = default;

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
    const KeywordMatcher::Keyword keyword = m_keyword.Result();
    if (keyword != KeywordMatcher::NoKeyword) m_files.back().hasSection = true;
    switch (keyword) {
      case KeywordMatcher::OpenQuestions:
        if (m_section == Section::None) m_section = Section::Questions;
        break;
      case KeywordMatcher::OpenInformations:
        if (m_section == Section::None) m_section = Section::Informations;
        break;
      case KeywordMatcher::EndSection: m_section = Section::None; break;
      case KeywordMatcher::NoKeyword: break;
    }
    StartLine();
  }

  void ReadFile(QIODevice& file, const QString& name) {
    m_files.push_back({name});
    m_currentYear = NoYearMarker();
    m_section = Section::None;
    StartLine();
    ReadLines(file, *this);
  }

  void Finish(int level, QuestionLevel& out, QuestionLoadReport& report) {
    for (const ReadFileEntry& file : m_files) {
      if (!file.hasSection) report.notBases.append(file.name);
    }
    std::vector<size_t> kept;
    std::vector<Question> decoded = DecodeDistinct(kept);
    const int count = int(decoded.size());
    if (count >= kFewestQuestionsToPlay || level == 0) {
      out.count = count;
      out.rows = std::move(decoded);
      out.usedCount = 0;
      out.used.assign(size_t(count), false);
      out.decoded = true;
      ReportDamage(report);
    } else {
      // Left as read: the scrambled bytes, and the drawn flags as they were. Only
      // the years were decoded, so only their damage is told.
      for (ReadFileEntry& file : m_files) file.damagedFields = file.yearDamage;
      ReportDamage(report);
      report.tooFew.append({level, count});
      out.count = count;
      out.rows.assign(size_t(count), Question{});
      out.used.resize(size_t(count), false);
      out.decoded = false;
      for (int r = 0; r < count; ++r) {
        const RawRow& raw = m_rows[kept[size_t(r)]];
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

  // The rows decoded, each question once: a pack saved twice (a copy beside the
  // original) must not ask the same question twice in one game. The first copy
  // stays, with its year.
  // `kept` gets the index in m_rows of every row returned.
  std::vector<Question> DecodeDistinct(std::vector<size_t>& kept) {
    std::vector<Question> rows;
    rows.reserve(m_rows.size());
    QSet<QString> seen;
    for (size_t i = 0; i < m_rows.size(); ++i) {
      const RawRow& raw = m_rows[i];
      Question row;
      row.text = FromCp1251(Decode(raw.fields[0], kQuestionParts, raw.file));
      for (int a = 0; a < 4; ++a) {
        row.answers[size_t(a)] = FromCp1251(Decode(raw.fields[size_t(a) + 1], kAnswerParts, raw.file));
      }
      row.year = raw.year;
      QString key = row.text;
      for (const QString& answer : row.answers) key += QChar(0) + answer;
      if (seen.contains(key)) continue;
      seen.insert(key);
      rows.push_back(std::move(row));
      kept.push_back(i);
    }
    return rows;
  }

  void ReportDamage(QuestionLoadReport& report) {
    for (const ReadFileEntry& file : m_files) {
      if (file.damagedFields > 0) report.damaged.append({file.name, file.damagedFields});
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
    ReadFileEntry& file = m_files.back();
    const int before = file.damagedFields;
    m_currentYear = FromCp1251(Decode(scrambled, kYearParts, int(m_files.size()) - 1));
    file.yearDamage += file.damagedFields - before;
    // Questions read since the last dated one, in this file or an earlier one of
    // the level, take this year too.
    for (size_t r = m_lastDated; r < m_rows.size(); ++r) m_rows[r].year = m_currentYear;
    m_lastDated = m_rows.size();
  }

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

QuestionLevelReader::QuestionLevelReader(InfoBox& box) : m_box(box), m_parser(std::make_unique<Parser>()) {}
QuestionLevelReader::~QuestionLevelReader() = default;

void QuestionLevelReader::ReadFile(QIODevice& file, const QString& name) { m_parser->ReadFile(file, name); }

void QuestionLevelReader::ReadBytes(const QByteArray& fileBytes, const QString& name) {
  QBuffer buffer;
  buffer.setData(fileBytes);
  buffer.open(QIODevice::ReadOnly);
  m_parser->ReadFile(buffer, name);
}

void QuestionLevelReader::Finish(int level, QuestionLevel& out) {
  QuestionLoadReport report;
  m_parser->Finish(level, out, report);
  report.ShowIn(m_box);
}

void QuestionLevelReader::Finish(int level, QuestionLevel& out, QuestionLoadReport& report) {
  m_parser->Finish(level, out, report);
}

QString NoBasesMessage(int level) {
  const QString digit = QString::number(level);
  return u"Базы вопросов не найдены!!!\r\nДля уровня "_s + digit + u" нет ни одного файла *.ol"_s + digit + u"."_s;
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

namespace {

// A base holds at most a thousand questions; even written out at the longest any
// question on the screen can be, that is well under this. Anything larger is not a
// base, and reading it would only hold up the start.
constexpr qint64 kLargestBase = 4 * 1024 * 1024;
// What one level reads in all, however many files it has.
constexpr qint64 kLargestLevel = 4 * kLargestBase;

// The file's level when its name ends in ".ol" and a digit 0 … 6 in any letter case;
// -1 otherwise. Names are the file system's bytes, whatever their encoding.
int LevelOfName(const QByteArray& name) {
  if (name.size() < 4) return -1;
  const QByteArray end = name.right(4).toLower();
  if (!end.startsWith(".ol")) return -1;
  const char digit = end.at(3);
  return digit >= '0' && digit < char('0' + kLevelCount) ? digit - '0' : -1;
}

// The ordinary, not hidden files of `folder` named as bases of `level`, in
// alphabetical order. Names are read as bytes: a pack unzipped from another system
// may carry names that are not valid UTF-8, and they must open all the same.
std::vector<BaseFile> ListBaseFiles(const QByteArray& folder, int level) {
  std::vector<BaseFile> files;
  if (folder.isEmpty() || level < 0 || level >= kLevelCount) return files;
  QByteArray native = folder;
  if (!native.endsWith('/')) native += '/';
#ifdef Q_OS_UNIX
  DIR* dir = ::opendir(native.constData());
  if (!dir) return files;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (name.startsWith('.') || LevelOfName(name) != level) continue;
    const QByteArray path = native + name;
    struct stat st {};
    // Links are followed; a pipe, a folder or a device is no base.
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    files.push_back({path, QFile::decodeName(path), qint64(st.st_size)});
  }
  ::closedir(dir);
#else
  for (const QFileInfo& entry : QDir(QFile::decodeName(folder)).entryInfoList(QDir::Files)) {
    if (!entry.isFile() || LevelOfName(QFile::encodeName(entry.fileName())) != level) continue;
    files.push_back({QFile::encodeName(entry.filePath()), entry.filePath(), entry.size()});
  }
#endif
  std::sort(files.begin(), files.end(), [](const BaseFile& a, const BaseFile& b) {
    const int order = a.shownPath.compare(b.shownPath, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.nativePath < b.nativePath;
  });
  return files;
}

// Loads one level into `table`, telling `report` what the player should hear.
void LoadLevel(int level, const QList<QByteArray>& questionFolders, bool levelRequired, QuestionTable& table,
               QuestionLoadReport& report, InfoBox& box) {
  QuestionLevel& target = table.levels[size_t(level)];
  // Folder after folder: the shipped bases keep their rows, a player's pack follows.
  std::vector<BaseFile> files;
  for (const QByteArray& folder : questionFolders) {
    std::vector<BaseFile> more = ListBaseFiles(folder, level);
    files.insert(files.end(), more.begin(), more.end());
  }
  if (files.empty()) {
    if (levelRequired) report.missingLevels.append(level);
    target.count = 0;
    target.rows.clear();
    target.used.clear();
    target.decoded = false;
    return;
  }
  QuestionLevelReader reader(box);
  qint64 levelBytes = 0;
  for (const BaseFile& base : files) {
    const QString shown = QDir::toNativeSeparators(base.shownPath);
    if (base.size > kLargestBase || levelBytes + base.size > kLargestLevel) {
      report.tooLarge.append(shown);
      continue;
    }
    QFile file;
    if (!OpenOrdinaryFile(file, base.nativePath)) {
      report.unreadable.append(shown);
      continue;
    }
    levelBytes += base.size;
    reader.ReadFile(file, shown);
  }
  reader.Finish(level, target, report);
}

}  // namespace

QStringList ListQuestionBaseFiles(const QString& questionFolder, int level) {
  QStringList paths;
  for (const BaseFile& file : ListBaseFiles(QFile::encodeName(questionFolder), level)) paths.append(file.shownPath);
  return paths;
}

void LoadQuestionBase(int level, const QString& questionFolder, QuestionTable& table, InfoBox& box) {
  if (questionFolder.isEmpty()) return;
  LoadQuestionBase(level, QList<QByteArray>{QFile::encodeName(questionFolder)}, table, box);
}

void LoadQuestionBase(int level, const QList<QByteArray>& questionFolders, QuestionTable& table, InfoBox& box) {
  if (questionFolders.isEmpty() || level < 0 || level >= kLevelCount) return;
  QuestionLoadReport report;
  LoadLevel(level, questionFolders, true, table, report, box);
  report.ShowIn(box);
}

DataPaths LoadQuestionBases(const QString& programFolder, const DataLocations& locations, QuestionTable& table,
                            InfoBox& box, const FolderWritableCheck& writable) {
  DataPaths paths = ResolvePaths(programFolder, locations, box, writable);
  if (paths.questionFolders.isEmpty()) return paths;
  // A game draws from levels 1 … 6 only; a pack of one's own need not bring a level 0.
  const bool levelZeroRequired = locations.questionOverride.isEmpty();
  QuestionLoadReport report;
  for (int level = 0; level < kLevelCount; ++level) {
    LoadLevel(level, paths.questionFolders, level > 0 || levelZeroRequired, table, report, box);
  }
  report.ShowIn(box);
  return paths;
}

DataPaths LoadQuestionBases(const QString& programFolder, QuestionTable& table, InfoBox& box,
                            const FolderWritableCheck& writable) {
  return LoadQuestionBases(programFolder, DataLocations{}, table, box, writable);
}
