#include "shell/game_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <array>
#include <utility>

#include "screen/key_table.h"
#include "shell/view_scale.h"

using namespace Qt::StringLiterals;

namespace {

/// One row of the menu: an item carrying out a command, a separator, or the zoom
/// submenu.
struct MenuRow {
  enum class Kind { Item, Separator, ZoomMenu };
  Kind kind = Kind::Item;
  const char16_t* caption = u"";
  Command command = Command::NewGame;
  bool checkable = false;  ///< shows a switch: ticked while it is on
};

constexpr MenuRow CommandRow(const char16_t* caption, Command command, bool checkable = false) {
  return {MenuRow::Kind::Item, caption, command, checkable};
}
constexpr MenuRow kSeparator{MenuRow::Kind::Separator};

// The menu, top to bottom.
constexpr std::array kMenuRows = {
    CommandRow(u"Новая игра", Command::NewGame),
    CommandRow(u"Таблица лидеров", Command::ShowLeaderboard),
    kSeparator,
    CommandRow(u"Правила игры", Command::Rules),
    CommandRow(u"Статистика", Command::RecordBook),
    CommandRow(u"Сбросить статистику", Command::ForgetRecords),
    CommandRow(u"О программе", Command::About),
    CommandRow(u"Звук", Command::ToggleSound, true),
    kSeparator,
    MenuRow{MenuRow::Kind::ZoomMenu},
    CommandRow(u"Во весь экран", Command::FullScreen, true),
    kSeparator,
    CommandRow(u"Выход", Command::Exit),
};

// The zoom submenu's items after its steps.
constexpr std::array kZoomRows = {
    CommandRow(u"Крупнее", Command::ZoomIn),
    CommandRow(u"Меньше", Command::ZoomOut),
};

}  // namespace

GameMenu::GameMenu(QWidget* parent, Handlers handlers) : m_handlers(std::move(handlers)) {
  m_menu = new QMenu(u"Главное меню"_s, parent);
  // The menu wears the game's colours rather than the desktop's.
  m_menu->setStyleSheet(
      u"QMenu { font-family: \"Liberation Sans\"; font-size: 13px; background: #050b1c; color: #ffffff; border: 1px "
      u"solid #0773de; padding: 3px; }"
      "QMenu::item { padding: 4px 18px 4px 14px; }"
      "QMenu::item:selected { background: #cc661a; color: #ffffff; }"
      "QMenu::item:disabled { color: #56607a; }"
      "QMenu::separator { height: 1px; background: #0773de; margin: 3px 6px; }"_s);
  for (const MenuRow& row : kMenuRows) {
    switch (row.kind) {
      case MenuRow::Kind::Item:
        AddCommandItem(m_menu, QString::fromUtf16(row.caption), row.command, row.checkable);
        break;
      case MenuRow::Kind::Separator: m_menu->addSeparator(); break;
      case MenuRow::Kind::ZoomMenu: AddZoomMenu(); break;
    }
  }
  // The key handler carries the shortcuts out; the menu only shows them.
  for (QAction* action : m_menu->actions()) action->setShortcutContext(Qt::WidgetShortcut);
  for (QAction* action : m_zoomMenu->actions()) action->setShortcutContext(Qt::WidgetShortcut);
}

void GameMenu::AddZoomMenu() {
  m_zoomMenu = m_menu->addMenu(u"Масштаб"_s);
  m_zoomGroup = new QActionGroup(m_zoomMenu);
  for (qreal step : ViewScale::Steps()) {
    QAction* action = m_zoomMenu->addAction(u"%1 %"_s.arg(qRound(step * 100)));
    action->setCheckable(true);
    action->setData(step);
    m_zoomGroup->addAction(action);
    QObject::connect(action, &QAction::triggered, m_menu, [this, step] { m_handlers.zoomTo(step); });
  }
  m_zoomMenu->addSeparator();
  for (const MenuRow& row : kZoomRows)
    AddCommandItem(m_zoomMenu, QString::fromUtf16(row.caption), row.command, row.checkable);
  // The screen's available area may have changed since (another screen, a panel).
  QObject::connect(m_zoomMenu, &QMenu::aboutToShow, m_menu, [this] { m_handlers.zoomOpening(); });
}

QAction* GameMenu::AddCommandItem(QMenu* menu, const QString& caption, Command command, bool checkable) {
  QAction* action = menu->addAction(caption);
  // The menu shows the shortcut the key table gives it; the keys themselves are the table's.
  if (const KeyBinding* binding = MenuBinding(command))
    action->setShortcut(QKeySequence(QKeyCombination(binding->modifier, Qt::Key(binding->keys[0]))));
  action->setCheckable(checkable);
  QObject::connect(action, &QAction::triggered, m_menu, [this, command] { m_handlers.carry(command); });
  m_items[command] = action;
  return action;
}

QAction* GameMenu::Item(Command command) const {
  const auto found = m_items.find(command);
  return found == m_items.end() ? nullptr : found->second;
}

void GameMenu::Enable(Command command, bool enabled) {
  if (QAction* action = Item(command)) action->setEnabled(enabled);
}

void GameMenu::Check(Command command, bool checked) {
  if (QAction* action = Item(command)) action->setChecked(checked);
}

void GameMenu::InsertSubmenuAfter(Command command, QMenu* submenu) {
  const QList<QAction*> actions = m_menu->actions();
  const qsizetype at = actions.indexOf(Item(command));
  QAction* before = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
  m_menu->insertMenu(before, submenu)->setShortcutContext(Qt::WidgetShortcut);
}

void GameMenu::ShowZoom(qreal zoom, const QSize& available) {
  for (QAction* action : m_zoomGroup->actions()) {
    action->setChecked(action->data().toReal() == zoom);
    action->setEnabled(ViewScale::Fits(action->data().toReal(), available));
  }
  Enable(Command::ZoomIn, ViewScale::Fitting(ViewScale::Step(zoom, +1), available) > zoom);
  Enable(Command::ZoomOut, ViewScale::Step(zoom, -1) < zoom);
}
