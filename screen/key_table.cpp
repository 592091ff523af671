#include "screen/key_table.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using C = Command;
using S = KeyScope;
constexpr Qt::KeyboardModifier kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifier kAlt = Qt::AltModifier;
constexpr int kNumeroSign = 0x2116;  // №, Shift+3 in the Russian layout

/// Russian ЙЦУКЕН letters, by the Latin letter on the same key.
constexpr int Russian(char16_t letter) { return int(letter); }

const QList<KeyBinding> kTable = {
    {C::Rules, S::Game, {Qt::Key_F1}, Qt::NoModifier, KeyBinding::InMenu},
    {C::NewGame, S::Game, {Qt::Key_F2}, Qt::NoModifier, KeyBinding::InMenu},
    {C::RecordBook, S::Game, {Qt::Key_F3}, Qt::NoModifier, KeyBinding::InMenu},
    {C::ChooseA, S::Game, {Qt::Key_A, Russian(u'Ф')}},
    {C::ChooseB, S::Game, {Qt::Key_B, Russian(u'И')}},
    {C::ChooseC, S::Game, {Qt::Key_C, Russian(u'С')}},
    {C::ChooseD, S::Game, {Qt::Key_D, Russian(u'В')}},
    // The digit keys count by the key, not by what a layout or Shift writes with them
    // (US and Russian with Shift, French without).
    {C::FiftyFifty, S::Game, {Qt::Key_1, Qt::Key_Exclam, Qt::Key_Ampersand}},
    {C::PhoneFriend, S::Game, {Qt::Key_2, Qt::Key_At, Qt::Key_QuoteDbl, Qt::Key_Eacute}},
    {C::AudiencePoll, S::Game, {Qt::Key_3, Qt::Key_NumberSign, kNumeroSign}},
    {C::Confirm, S::Game, {Qt::Key_Return, Qt::Key_Enter}},
    {C::ClearBoard, S::Game, {Qt::Key_K, Russian(u'Л')}},
    {C::TakeMoney, S::Game, {Qt::Key_M, Russian(u'Ь')}, kCtrl},
    {C::TakeMoney, S::Game, {Qt::Key_M, Russian(u'Ь')}, kAlt},
    {C::ShowLeaderboard, S::Game, {Qt::Key_W, Russian(u'Ц')}, kCtrl, KeyBinding::InMenu},
    {C::ShowLeaderboard, S::Game, {Qt::Key_W, Russian(u'Ц')}, kAlt},
    {C::Exit, S::Game, {Qt::Key_Escape}},
    {C::Exit, S::Game, {Qt::Key_Q, Russian(u'Й')}, kCtrl, KeyBinding::InMenu},
    {C::Exit, S::Game, {Qt::Key_X, Russian(u'Ч')}, kCtrl},
    {C::Exit, S::Game, {Qt::Key_Q, Russian(u'Й')}, kAlt},
    {C::Exit, S::Game, {Qt::Key_X, Russian(u'Ч')}, kAlt},
    {C::ToggleSound, S::Game, {Qt::Key_S, Russian(u'Ы')}, Qt::NoModifier, KeyBinding::InMenu},
    {C::ScrollBoardUp, S::Game, {Qt::Key_Up}},
    {C::ScrollBoardDown, S::Game, {Qt::Key_Down}},
    {C::ScrollBoardPageUp, S::Game, {Qt::Key_PageUp}},
    {C::ScrollBoardPageDown, S::Game, {Qt::Key_PageDown}},
    {C::ScrollBoardTop, S::Game, {Qt::Key_Home}},
    {C::ScrollBoardBottom, S::Game, {Qt::Key_End}},
    {C::RepeatQuestion, S::Game, {Qt::Key_R, Russian(u'К')}},
    {C::TellTime, S::Game, {Qt::Key_T, Russian(u'Е')}},
    {C::NextControl, S::Game, {Qt::Key_Tab}},
    {C::PreviousControl, S::Game, {Qt::Key_Backtab}},
    {C::NextControl, S::Game, {Qt::Key_Right}},
    {C::PreviousControl, S::Game, {Qt::Key_Left}},
    {C::PressControl, S::Game, {Qt::Key_Space}},
    {C::PreviousPage, S::Pages, {Qt::Key_Left}},
    {C::NextPage, S::Pages, {Qt::Key_Right}},
    {C::PreviousPage, S::Pages, {Qt::Key_PageUp}},
    {C::NextPage, S::Pages, {Qt::Key_PageDown}},
    {C::PreviousPage, S::Pages, {Qt::Key_Up}, Qt::NoModifier, KeyBinding::Unlisted},
    {C::NextPage, S::Pages, {Qt::Key_Down}, Qt::NoModifier, KeyBinding::Unlisted},
    {C::NextPage, S::Pages, {Qt::Key_Space}, Qt::NoModifier, KeyBinding::Unlisted},
    {C::ClosePage, S::Pages, {Qt::Key_Escape}},
    {C::ClosePage, S::Pages, {Qt::Key_Return, Qt::Key_Enter}},
    // From one book of pages to another.
    {C::Rules, S::Pages, {Qt::Key_F1}},
    {C::RecordBook, S::Pages, {Qt::Key_F3}},
    // Only the record book has anything to forget.
    {C::ForgetRecords, S::Pages, {Qt::Key_Delete}},
    {C::ZoomIn, S::Window, {Qt::Key_Equal, Qt::Key_Plus}, kCtrl, KeyBinding::InMenu},
    {C::ZoomOut, S::Window, {Qt::Key_Minus}, kCtrl, KeyBinding::InMenu},
    {C::FullScreen, S::Window, {Qt::Key_F11}, Qt::NoModifier, KeyBinding::InMenu | KeyBinding::Once},
};

QString KeyName(int key) {
  switch (key) {
    case Qt::Key_Return: return u"Enter"_s;
    case Qt::Key_Escape: return u"Esc"_s;
    case Qt::Key_PageUp: return u"PgUp"_s;
    case Qt::Key_PageDown: return u"PgDn"_s;
    case Qt::Key_Home: return u"Home"_s;
    case Qt::Key_End: return u"End"_s;
    case Qt::Key_Space: return u"Space"_s;
    case Qt::Key_Delete: return u"Del"_s;
    case Qt::Key_Tab: return u"Tab"_s;
    case Qt::Key_Backtab: return u"Shift+Tab"_s;
    case Qt::Key_Left: return u"←"_s;
    case Qt::Key_Up: return u"↑"_s;
    case Qt::Key_Right: return u"→"_s;
    case Qt::Key_Down: return u"↓"_s;
    default: break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F35) return u"F"_s + QString::number(key - Qt::Key_F1 + 1);
  return QString(QChar(key));
}

bool IsRussianLetter(int key) { return key >= 0x410 && key <= 0x42F; }

}  // namespace

bool KeyBinding::Matches(int key, Qt::KeyboardModifiers held) const {
  if (key == 0) return false;
  if (modifier != Qt::NoModifier && !held.testFlag(modifier)) return false;
  for (int k : keys)
    if (k == key) return true;
  return false;
}

bool KeyBinding::TypesText() const {
  const int key = keys[0];
  return modifier == Qt::NoModifier &&
         ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9));
}

QString KeyBinding::Spelling() const {
  QString prefix;
  if (modifier == Qt::ControlModifier) prefix = u"Ctrl+"_s;
  if (modifier == Qt::AltModifier) prefix = u"Alt+"_s;
  return prefix + KeyName(keys[0]);
}

const QList<KeyBinding>& KeyTable() { return kTable; }

const KeyBinding* BindingOf(int key, Qt::KeyboardModifiers held, KeyScope scope) {
  for (const KeyBinding& b : kTable)
    if (b.scope == scope && b.Matches(key, held)) return &b;
  return nullptr;
}

bool KnownKey(int key) {
  for (const KeyBinding& b : kTable)
    if (b.Matches(key, b.modifier)) return true;
  return false;
}

int KeyFor(Command command, KeyScope scope) {
  for (const KeyBinding& b : kTable)
    if (b.command == command && b.scope == scope) return b.keys[0];
  return 0;
}

QStringList KeySpellings(Command command, KeyScope scope) {
  QStringList spellings;
  for (const KeyBinding& b : kTable)
    if (b.command == command && b.scope == scope && !b.Has(KeyBinding::Unlisted)) spellings.append(b.Spelling());
  return spellings;
}

QStringList KeyPairs(Command back, Command forth, KeyScope scope) {
  const QStringList backKeys = KeySpellings(back, scope), forthKeys = KeySpellings(forth, scope);
  QStringList pairs;
  for (qsizetype i = 0; i < std::min(backKeys.size(), forthKeys.size()); ++i)
    pairs.append(backKeys[i] + u' ' + forthKeys[i]);
  return pairs;
}

const KeyBinding* MenuBinding(Command command) {
  for (const KeyBinding& b : kTable)
    if (b.command == command && b.Has(KeyBinding::InMenu)) return &b;
  return nullptr;
}

QString KeyHint(Command command) {
  for (const KeyBinding& b : kTable) {
    if (b.command != command || b.scope != KeyScope::Game) continue;
    return b.modifier == Qt::NoModifier ? u"клавиша "_s + b.Spelling() : b.Spelling();
  }
  return QString();
}

QString RussianLetters() {
  QStringList letters;
  for (const KeyBinding& b : kTable)
    for (int k : b.keys)
      if (IsRussianLetter(k) && !letters.contains(QString(QChar(k)))) letters.append(QString(QChar(k)));
  return letters.join(u", "_s);
}
