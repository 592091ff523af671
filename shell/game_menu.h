#pragma once

#include <QString>

#include <functional>
#include <map>

#include "screen/command.h"

class QAction;
class QActionGroup;
class QMenu;
class QSize;
class QWidget;

/// The game's popup menu. Its items come from one list (see game_menu.cpp); each
/// carries out a command and shows the shortcut the key table gives that command.
/// The menu only shows the shortcuts: the key handler carries them out.
class GameMenu {
 public:
  struct Handlers {
    std::function<void(Command)> carry;  ///< a chosen item's command
    std::function<void(qreal)> zoomTo;   ///< a chosen zoom step
    std::function<void()> zoomOpening;   ///< the zoom submenu is about to show
  };

  GameMenu(QWidget* parent, Handlers handlers);

  QMenu* menu() const { return m_menu; }
  QMenu* zoomMenu() const { return m_zoomMenu; }
  /// The item that carries out `command`; null when the menu has none.
  QAction* Item(Command command) const;
  void Enable(Command command, bool enabled);
  /// Ticks or clears an item that shows a switch (sound, full screen).
  void Check(Command command, bool checked);
  /// Puts `submenu` right below the item that carries out `command` (a submenu that
  /// needs the game, which does not exist yet when the menu is built).
  void InsertSubmenuAfter(Command command, QMenu* submenu);
  /// The zoom submenu's tick on `zoom`; steps whose window does not fit `available`
  /// are off, and so are "larger" and "smaller" where they would change nothing.
  void ShowZoom(qreal zoom, const QSize& available);

 private:
  QAction* AddCommandItem(QMenu* menu, const QString& caption, Command command, bool checkable);
  void AddZoomMenu();

  Handlers m_handlers;
  QMenu* m_menu = nullptr;
  QMenu* m_zoomMenu = nullptr;
  QActionGroup* m_zoomGroup = nullptr;
  std::map<Command, QAction*> m_items;
};
