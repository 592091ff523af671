#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <array>

#include "screen/command.h"

/// Where a key acts: over the game, over the pages (the rules, the about page) that
/// cover it, or on the window's view whatever is shown.
enum class KeyScope { Game, Pages, Window };

/// One key of the game: which command it gives, where, and with which modifier.
struct KeyBinding {
  enum Flag {
    /// Works but is not listed to the player (a second way the pages know).
    Unlisted = 1,
    /// The shortcut the menu shows beside the command's item.
    InMenu = 2,
    /// Held down, the key acts once, not again with each repeat.
    Once = 4,
  };

  Command command;
  KeyScope scope;
  /// Qt key codes: first the key as the player reads it, in the Latin layout; then
  /// what the same key gives in the Russian layout, with Shift, or on the keypad.
  /// Unused places are 0.
  std::array<int, 4> keys;
  /// The modifier that must be held with the key; with none the modifiers do not matter.
  Qt::KeyboardModifier modifier = Qt::NoModifier;
  int flags = 0;

  bool Has(Flag flag) const { return flags & flag; }
  bool Matches(int key, Qt::KeyboardModifiers held) const;
  /// A letter or digit with no modifier: while the player types a name, it is the name's.
  bool TypesText() const;
  /// "F2", "Ctrl+M", "↑".
  QString Spelling() const;
};

/// Every key the game knows, in the order the player is told of them.
const QList<KeyBinding>& KeyTable();

/// The binding a key pressed with `held` modifiers matches in `scope`, or null.
const KeyBinding* BindingOf(int key, Qt::KeyboardModifiers held, KeyScope scope);
/// Whether any binding knows the key code.
bool KnownKey(int key);

/// The key that first gives `command` in `scope`, as the table spells it; 0 for none.
int KeyFor(Command command, KeyScope scope = KeyScope::Game);
/// The listed spellings of the keys that give `command` in `scope`, in table order.
QStringList KeySpellings(Command command, KeyScope scope = KeyScope::Game);
/// Keys that go one way and the other, side by side: "← →", "PgUp PgDn".
QStringList KeyPairs(Command back, Command forth, KeyScope scope = KeyScope::Game);
/// The binding whose shortcut the menu shows for `command`, or null.
const KeyBinding* MenuBinding(Command command);
/// How a tooltip or a screen reader names the key of `command`: "клавиша 1" for a
/// plain key, "Ctrl+M" for one with a modifier; empty when no key gives it.
QString KeyHint(Command command);
/// The Russian letters on the keys of the Latin letters the game uses, in table order.
QString RussianLetters();
