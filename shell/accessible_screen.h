#pragma once

#include <QAccessible>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "engine/spoken_news.h"
#include "screen/command.h"

class Game;
class QAccessibleInterface;
class QLineEdit;
class QWidget;

/// The painted screen on the accessibility bus. Everything the player sees is
/// painted onto one widget; this gives a screen reader one accessible object per
/// thing a player needs (question, answers, lifelines, ladder, clock, panels,
/// leaderboard), made from the element model, and tells it what changed.
class AccessibleScreen {
 public:
  /// How the window shows the layout (its zoom, the full-screen bars): layout
  /// pixels to window pixels.
  using LayoutToWindow = std::function<QRect(const QRect&)>;

  /// Installs the window's accessible object; `nameBox` is the record panel's entry.
  AccessibleScreen(QWidget& window, const Game& game, QLineEdit& nameBox, LayoutToWindow layoutToWindow);
  ~AccessibleScreen();
  AccessibleScreen(const AccessibleScreen&) = delete;
  AccessibleScreen& operator=(const AccessibleScreen&) = delete;

  /// Call after every change of the model: sends the events for what changed since
  /// the last call and says what the player must hear. The clock's value goes out at
  /// most once a second.
  void Update();

  /// The words an announcement object says now.
  QString Announced(const QAccessibleInterface* announcer) const;

  /// Sees every event the screen sends, also where no assistive technology listens
  /// and the bus would drop it (tests); empty: none.
  using EventWatcher = std::function<void(QAccessibleEvent*)>;
  static void WatchEvents(EventWatcher watcher);

  /// The screen behind a window, or null.
  static AccessibleScreen* Of(const QObject* window);

  // For the accessible objects.
  QWidget& window() const { return m_window; }
  const Game& game() const { return m_game; }
  const QList<QAccessibleInterface*>& items() const { return m_items; }
  /// The object a screen reader should be at now: the last announcement, or the
  /// control Tab reached since; null before either.
  QAccessibleInterface* focusItem() const;
  /// Layout pixels of the model (640 × 480) to screen pixels.
  QRect ToScreen(const QRect& layoutRect) const;

  /// Says `text` now, cutting short whatever the screen reader was saying.
  void Announce(const QString& text);

  /// What a command of the player who listens comes to: the screen reader's own
  /// commands are carried out here (moving among the controls, hearing the question
  /// or the clock again); pressing the control reached names the button to click.
  struct Steering {
    bool taken = false;
    std::optional<ElementId> press;
    /// Why the game's own command will do nothing: to be said once it has run.
    QString reason;
  };
  Steering Steer(Command command);

 private:
  /// What the events are made from: one record per watched object.
  struct Seen {
    QString name, description;
    QAccessible::State state;
  };
  Seen Look(QAccessibleInterface* iface) const;

  QWidget& m_window;
  LayoutToWindow m_layoutToWindow;
  const Game& m_game;
  QList<QAccessibleInterface*> m_items;    ///< the window's painted children, in order
  QList<QAccessibleInterface*> m_watched;  ///< items and their rows whose changes are sent
  std::vector<QAccessible::Id> m_ids;
  std::vector<Seen> m_seen;
  /// What Tab and the arrows move among, in order: the answers, the lifelines and
  /// «Взять деньги», with the buttons they press.
  QList<std::pair<QAccessibleInterface*, ElementId>> m_controls;
  qsizetype m_control = -1;  ///< the control Tab reached last, while the answers are open
  QAccessibleInterface* m_clock = nullptr;
  QAccessibleInterface* m_leaderboard = nullptr;
  QString m_board;  ///< the leaderboard's rows as last told
  /// The objects that carry what is said. A screen reader reads an object when it
  /// takes the focus, and ignores the focus coming again to the object it is on, so
  /// each announcement goes to the other one.
  std::array<QAccessibleInterface*, 2> m_announcers{};
  std::array<QString, 2> m_announced;
  int m_announcer = 0;
  QAccessibleInterface* m_focused = nullptr;
  SpokenNews m_news;
  QString m_held;  ///< said at the next look, after the focus the name box takes
  QLineEdit& m_nameBox;
};
