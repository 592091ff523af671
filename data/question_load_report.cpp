#include "data/question_load_report.h"

#include "data/codec.h"
#include "data/info_box.h"
#include "data/question_loader.h"

using namespace Qt::StringLiterals;

namespace {

// A few names say which files are meant; three hundred would not fit on a screen.
constexpr int kNamesShown = 5;

QString NameList(const QStringList& names) {
  QString text = names.mid(0, kNamesShown).join(u"\r\n"_s);
  if (names.size() > kNamesShown) text += u"\r\n… и ещё "_s + QString::number(names.size() - kNamesShown);
  return text;
}

QString MissingLevelsText(const QList<int>& levels) {
  if (levels.size() == 1) return NoBasesMessage(levels.constFirst());
  QStringList digits, patterns;
  for (int level : levels) {
    digits.append(QString::number(level));
    patterns.append(u"*.ol"_s + QString::number(level));
  }
  return u"Базы вопросов не найдены!!!\r\nДля уровней "_s + digits.join(u", "_s) + u" нет ни одного файла ("_s +
         patterns.join(u", "_s) + u")."_s;
}

QString DamagedText(const QList<QuestionLoadReport::DamagedFile>& files) {
  if (files.size() == 1) return DamagedFileMessage(files.constFirst().name, files.constFirst().fields);
  QStringList names;
  int fields = 0;
  for (const auto& file : files) {
    names.append(file.name);
    fields += file.fields;
  }
  return DamagedDataMessage() + u"\r\nПоврежденных файлов: "_s + QString::number(files.size()) + u", полей в них: "_s +
         QString::number(fields) + u"\r\n"_s + NameList(names);
}

}  // namespace

bool QuestionLoadReport::IsEmpty() const {
  return missingLevels.isEmpty() && tooFew.isEmpty() && damaged.isEmpty() && tooLarge.isEmpty() && notBases.isEmpty() &&
         unreadable.isEmpty();
}

QString QuestionLoadReport::Message() const {
  QStringList parts;
  if (!missingLevels.isEmpty()) parts.append(MissingLevelsText(missingLevels));
  for (const auto& [level, count] : tooFew) parts.append(TooFewQuestionsMessage(level, count));
  if (!damaged.isEmpty()) parts.append(DamagedText(damaged));
  if (!tooLarge.isEmpty()) {
    parts.append(u"Файл больше, чем бывает база вопросов, и пропущен:\r\n"_s + NameList(tooLarge));
  }
  if (!notBases.isEmpty()) {
    parts.append(
        u"Файл назван как база вопросов, но это не база (в нём нет ни одного раздела SECTION) "
        u"и он пропущен:\r\n"_s +
        NameList(notBases));
  }
  if (!unreadable.isEmpty()) parts.append(u"Файл не удалось прочитать, он пропущен:\r\n"_s + NameList(unreadable));
  return parts.join(u"\r\n\r\n"_s);
}

bool QuestionLoadReport::OnlyTooFew() const {
  return missingLevels.isEmpty() && damaged.isEmpty() && tooLarge.isEmpty() && notBases.isEmpty() &&
         unreadable.isEmpty();
}

void QuestionLoadReport::ShowIn(InfoBox& box) const {
  if (IsEmpty()) return;
  if (OnlyTooFew()) box.Inform(Message());
  else box.Warn(Message());
}
