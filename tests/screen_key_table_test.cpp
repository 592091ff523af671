// The one table of keys: what each key gives where, and everything told to the player
// about the keys agrees with it.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <optional>

#include "screen/element.h"
#include "screen/key_table.h"
#include "tests/element_names.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<Command> CommandOf(int key, Qt::KeyboardModifiers held, KeyScope scope) {
  const KeyBinding* binding = BindingOf(key, held, scope);
  return binding ? std::optional<Command>(binding->command) : std::nullopt;
}

}  // namespace

TEST(KeyTable, KeysGiveTheirCommandsInEachLayoutAndOnlyWithTheirModifier) {
  constexpr auto kNone = Qt::NoModifier, kCtrl = Qt::ControlModifier, kAlt = Qt::AltModifier,
                 kShift = Qt::ShiftModifier;
  struct Case {
    const char* what;
    int key;
    Qt::KeyboardModifiers held;
    KeyScope scope;
    std::optional<Command> command;
  };
  const Case cases[] = {
      {"A", Qt::Key_A, kNone, KeyScope::Game, Command::ChooseA},
      {"Ф on the key of A", 0x424, kNone, KeyScope::Game, Command::ChooseA},
      {"В on the key of D", 0x412, kNone, KeyScope::Game, Command::ChooseD},
      {"Ctrl+A is still A", Qt::Key_A, kCtrl, KeyScope::Game, Command::ChooseA},
      {"1", Qt::Key_1, kNone, KeyScope::Game, Command::FiftyFifty},
      {"Shift+1, US", Qt::Key_Exclam, kShift, KeyScope::Game, Command::FiftyFifty},
      {"Shift+3, Russian", 0x2116, kShift, KeyScope::Game, Command::AudiencePoll},
      {"4 is nothing", Qt::Key_4, kNone, KeyScope::Game, std::nullopt},
      {"M alone", Qt::Key_M, kNone, KeyScope::Game, std::nullopt},
      {"Shift+M", Qt::Key_M, kShift, KeyScope::Game, std::nullopt},
      {"Ctrl+M", Qt::Key_M, kCtrl, KeyScope::Game, Command::TakeMoney},
      {"Alt+Ь", 0x42C, kAlt, KeyScope::Game, Command::TakeMoney},
      {"Ctrl+Shift+M", Qt::Key_M, kCtrl | kShift, KeyScope::Game, Command::TakeMoney},
      {"Alt+W", Qt::Key_W, kAlt, KeyScope::Game, Command::ShowLeaderboard},
      {"Ctrl+Й", 0x419, kCtrl, KeyScope::Game, Command::Exit},
      {"X alone", Qt::Key_X, kNone, KeyScope::Game, std::nullopt},
      {"Ы on the key of S", 0x42B, kNone, KeyScope::Game, Command::ToggleSound},
      {"keypad Enter", Qt::Key_Enter, kNone, KeyScope::Game, Command::Confirm},
      {"Esc over the game", Qt::Key_Escape, kNone, KeyScope::Game, Command::Exit},
      {"Esc over the pages", Qt::Key_Escape, kNone, KeyScope::Pages, Command::ClosePage},
      {"↑ over the game", Qt::Key_Up, kNone, KeyScope::Game, Command::ScrollBoardUp},
      {"↑ over the pages", Qt::Key_Up, kNone, KeyScope::Pages, Command::PreviousPage},
      {"Space over the pages", Qt::Key_Space, kNone, KeyScope::Pages, Command::NextPage},
      {"A over the pages", Qt::Key_A, kNone, KeyScope::Pages, std::nullopt},
      {"F1 over the pages", Qt::Key_F1, kNone, KeyScope::Pages, Command::Rules},
      {"F3", Qt::Key_F3, kNone, KeyScope::Game, Command::RecordBook},
      {"F3 over the pages", Qt::Key_F3, kNone, KeyScope::Pages, Command::RecordBook},
      {"Del over the pages", Qt::Key_Delete, kNone, KeyScope::Pages, Command::ForgetRecords},
      {"Del over the game", Qt::Key_Delete, kNone, KeyScope::Game, std::nullopt},
      {"Ctrl+=", Qt::Key_Equal, kCtrl, KeyScope::Window, Command::ZoomIn},
      {"Ctrl++", Qt::Key_Plus, kCtrl | kShift, KeyScope::Window, Command::ZoomIn},
      {"Alt+=", Qt::Key_Equal, kAlt, KeyScope::Window, std::nullopt},
      {"F11", Qt::Key_F11, kNone, KeyScope::Window, Command::FullScreen},
      {"F11 is no game key", Qt::Key_F11, kNone, KeyScope::Game, std::nullopt},
      {"no key", 0, kNone, KeyScope::Game, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CommandOf(c.key, c.held, c.scope), c.command);
  }
}

TEST(KeyTable, NoKeyIsClaimedByTwoCommandsInOneScope) {
  // Lookup takes the first match: a later binding another command shadows would never act.
  for (const KeyBinding& binding : KeyTable()) {
    for (int key : binding.keys) {
      if (key == 0) continue;
      const KeyBinding* found = BindingOf(key, binding.modifier, binding.scope);
      ASSERT_NE(found, nullptr) << binding.Spelling().toStdString();
      EXPECT_EQ(found->command, binding.command) << binding.Spelling().toStdString() << " key " << key;
    }
  }
}

TEST(KeyTable, HintsNameTheKeyAsThePlayerPressesIt) {
  struct Case {
    Command command;
    QString hint;
  };
  for (const Case& c : {Case{Command::FiftyFifty, u"клавиша 1"_s}, Case{Command::AudiencePoll, u"клавиша 3"_s},
                        Case{Command::TakeMoney, u"Ctrl+M"_s}, Case{Command::Confirm, u"клавиша Enter"_s},
                        Case{Command::ClearBoard, u"клавиша K"_s}, Case{Command::ChooseD, u"клавиша D"_s},
                        Case{Command::About, QString()}}) {
    EXPECT_EQ(KeyHint(c.command), c.hint) << int(c.command);
  }
  EXPECT_EQ(KeyPairs(Command::ScrollBoardPageUp, Command::ScrollBoardPageDown), QStringList{u"PgUp PgDn"_s});
  EXPECT_EQ(KeySpellings(Command::Exit), (QStringList{u"Esc"_s, u"Ctrl+Q"_s, u"Ctrl+X"_s, u"Alt+Q"_s, u"Alt+X"_s}));
}

TEST(KeyTable, ButtonsAndTheirCommandsMapBothWays) {
  for (int position = 1; position <= 4; ++position)
    EXPECT_EQ(CommandOfButton(*ButtonOf(ChooseAnswer(position))), ChooseAnswer(position)) << position;
  for (Command c :
       {Command::FiftyFifty, Command::PhoneFriend, Command::AudiencePoll, Command::TakeMoney, Command::ClearBoard})
    EXPECT_EQ(CommandOfButton(*ButtonOf(c)), c) << int(c);
  // Every panel's confirmation is Enter's; no single button stands for it.
  for (const ElementId button : {el::VictoryConfirm, el::LossConfirm, el::TimeoutConfirm, el::HideTable})
    EXPECT_EQ(CommandOfButton(button), Command::Confirm) << button;
  EXPECT_EQ(ButtonOf(Command::Confirm), std::nullopt);
  EXPECT_EQ(CommandOfButton(el::Close), std::nullopt);
}

TEST(KeyTable, TheReadmeListsEveryKeyOfTheTableAndNoOther) {
  QFile file(QStringLiteral(FARTOVIK_SOURCE_DIR "/README.md"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  const qsizetype header = lines.indexOf(u"| Key | What it does |"_s);
  ASSERT_GE(header, 0);
  QSet<QString> readme;
  // A row names its keys in its first column; Alt's twins may follow in its text, as
  // the rules page writes them.
  static const QRegularExpression separator(u"\\s*,\\s*|\\s+/\\s+|\\s+"_s);
  static const QRegularExpression modifiedKey(u"(?:Ctrl|Alt)\\+[^\\s,;)]+"_s);
  for (qsizetype i = header + 2; i < lines.size() && lines[i].startsWith(u'|'); ++i) {
    for (const QString& key : lines[i].section(u'|', 1, 1).trimmed().split(separator, Qt::SkipEmptyParts))
      readme.insert(key);
    for (const auto& match : modifiedKey.globalMatch(lines[i].section(u'|', 2, 2))) readme.insert(match.captured());
  }
  QSet<QString> table;
  for (const KeyBinding& binding : KeyTable())
    if (binding.scope != KeyScope::Pages && !binding.Has(KeyBinding::Unlisted)) table.insert(binding.Spelling());
  EXPECT_EQ(readme, table) << "only in the README: " << QStringList((readme - table).values()).join(u' ').toStdString()
                           << "; only in the table: "
                           << QStringList((table - readme).values()).join(u' ').toStdString();
  // And the Russian twins of the letters, as the rules page lists them.
  EXPECT_TRUE(lines.join(u'\n').contains(RussianLetters())) << RussianLetters().toStdString();
}
