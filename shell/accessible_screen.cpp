#include "shell/accessible_screen.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QHash>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <iterator>

#include "engine/game.h"
#include "engine/speech_text.h"
#include "engine/spoken_state.h"
#include "screen/counted_words.h"
#include "screen/element_table.h"
#include "screen/key_table.h"
#include "screen/question_buttons.h"
#include "screen/sum_text.h"

using namespace Qt::StringLiterals;

namespace {

QHash<const QObject*, AccessibleScreen*>& Screens() {
  static QHash<const QObject*, AccessibleScreen*> screens;
  return screens;
}

enum class Kind {
  Question,
  Answer,
  Button,
  Ladder,
  LadderRow,
  Clock,
  Phone,
  Poll,
  PollShare,
  PanelText,
  Leaderboard,
  Cell,
  Announcer
};

/// The element's name as the layout gives it, without the key hint of its tooltip.
QString LayoutName(ElementId element) { return QString::fromUtf16(SpecOf(element).tooltip); }

/// One painted thing on the bus. `element` gives its place and visibility; `arg` is
/// the answer position, question number, poll position or cell number.
class PaintedItem : public QAccessibleInterface {
 public:
  PaintedItem(AccessibleScreen& screen, Kind kind, ElementId element, int arg = 0,
              QAccessibleInterface* parent = nullptr)
      : m_screen(screen), m_kind(kind), m_element(element), m_arg(arg), m_parent(parent) {}

  void AddChild(QAccessibleInterface* child) { m_children.append(child); }

  bool isValid() const override { return true; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return m_screen.window().windowHandle(); }
  QAccessibleInterface* parent() const override {
    return m_parent ? m_parent : QAccessible::queryAccessibleInterface(&m_screen.window());
  }
  int childCount() const override { return int(m_children.size()); }
  QAccessibleInterface* child(int index) const override { return m_children.value(index); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return int(m_children.indexOf(const_cast<QAccessibleInterface*>(child)));
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (QAccessibleInterface* c : m_children)
      if (!c->state().invisible && c->rect().contains(x, y)) return c;
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (m_kind == Kind::Announcer) return m_screen.ToScreen(QRect(0, 0, 640, 480));
    const Element& e = element();
    return m_screen.ToScreen(e.Box());
  }

  QAccessible::Role role() const override {
    switch (m_kind) {
      case Kind::Question:
      case Kind::Phone:
      case Kind::PollShare:
      case Kind::PanelText: return QAccessible::StaticText;
      case Kind::Answer:
      case Kind::Button: return QAccessible::Button;
      case Kind::Ladder: return QAccessible::List;
      case Kind::LadderRow: return QAccessible::ListItem;
      case Kind::Clock: return QAccessible::ProgressBar;
      case Kind::Poll: return QAccessible::Grouping;
      case Kind::Leaderboard: return QAccessible::Table;
      case Kind::Cell: return QAccessible::Cell;
      // A role the screen reader does not name: the player hears the words alone.
      case Kind::Announcer: return QAccessible::Client;
    }
    return QAccessible::NoRole;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return Name();
    if (t == QAccessible::Description) return Description();
    if (t == QAccessible::Value) return Value();
    return QString();
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    const Element& e = element();
    s.invisible = !Shown();
    if (s.invisible) s.offscreen = true;
    const Round& round = game().CurrentRound();
    switch (m_kind) {
      case Kind::Answer:
      case Kind::Button: {
        // Buttons whose click counts only while the answers are open say so.
        const bool needsOpenAnswers = m_kind == Kind::Answer || IsQuestionButton(m_element);
        s.disabled = !e.enabled || (needsOpenAnswers && !round.answersOpen);
        // The answer being judged is the player's choice, not one out of reach.
        if (m_kind == Kind::Answer && game().Judgement().Running() && round.chosen == m_element) {
          s.checked = true;
          s.disabled = false;
        }
        break;
      }
      case Kind::LadderRow:
        s.selectable = true;
        s.selected = round.question == m_arg;
        break;
      case Kind::Question:
      case Kind::Phone:
      case Kind::Poll:
      case Kind::PanelText:
      case Kind::Leaderboard: s.readOnly = true; break;
      default: break;
    }
    if (m_kind == Kind::Announcer) s.readOnly = true;
    if (!s.invisible && (m_kind != Kind::Cell && m_kind != Kind::LadderRow && m_kind != Kind::PollShare)) {
      s.focusable = true;
      s.focused = m_screen.focusItem() == this;
    }
    return s;
  }

 protected:
  const Game& game() const { return m_screen.game(); }
  const Element& element() const { return game().screen().element(m_element); }

  bool Shown() const {
    if (m_kind == Kind::Announcer) return !m_screen.Announced(this).isEmpty();
    if (m_kind == Kind::Cell || m_kind == Kind::LadderRow || m_kind == Kind::PollShare)
      return m_parent && !m_parent->state().invisible;
    return element().visible;
  }

  QString Name() const {
    const Game& g = game();
    const Element& e = element();
    switch (m_kind) {
      case Kind::Question:
        // While the question appears letter by letter, it is not read half-way.
        if (g.CurrentRound().QuestionInPlay() && !spoken::QuestionShown(g)) return QString();
        return e.caption.text;
      case Kind::Answer:
        if (e.caption.text.isEmpty()) return u"Ответ "_s + spoken::Letter(m_arg);
        return u"Ответ "_s + spoken::Letter(m_arg) + u", "_s + speech::Plain(e.caption.text);
      case Kind::Button: return speech::Plain(LayoutName(m_element));
      case Kind::Ladder: return u"Призовая лестница"_s;
      case Kind::LadderRow: return QString::number(m_arg) + u", "_s + SumText(PrizeLadder[m_arg - 1]);
      case Kind::Clock: return u"Время на ответ"_s;
      case Kind::Phone: return spoken::FriendFinished(g) ? e.caption.text : QString();
      case Kind::Poll: return u"Мнение зала"_s;
      case Kind::PollShare:
        if (!spoken::PollSettled(g)) return spoken::Letter(m_arg);
        return spoken::Letter(m_arg) + u", "_s +
               Counted(spoken::PollShare(g, m_arg), u"процент"_s, u"процента"_s, u"процентов"_s);
      case Kind::PanelText: {
        const QString words = spoken::PaintedWords(g, m_element);
        if (e.caption.text.isEmpty()) return words;
        return words + u' ' + QString(e.caption.text).replace(u"\r\n"_s, u" "_s);
      }
      case Kind::Leaderboard: return u"Таблица лидеров"_s;
      case Kind::Announcer: return m_screen.Announced(this);
      case Kind::Cell: break;
    }
    return QString();
  }

  QString Description() const {
    const Game& g = game();
    switch (m_kind) {
      case Kind::Question: return spoken::QuestionShown(g) ? element().caption.tooltip : QString();
      case Kind::Answer: {
        const QString outcome = spoken::OutcomeWords(spoken::AnswerOutcome(g, m_arg));
        return outcome.isEmpty() ? KeyHint(ChooseAnswer(m_arg)) : outcome;
      }
      case Kind::Button: {
        const std::optional<Command> command = CommandOfButton(m_element);
        return command ? KeyHint(*command) : QString();
      }
      case Kind::LadderRow: return Game::GuaranteedQuestions().contains(m_arg) ? u"несгораемая сумма"_s : QString();
      case Kind::Clock: return Value();
      case Kind::Phone: return u"Звонок другу"_s;
      default: return QString();
    }
  }

  QString Value() const {
    if (m_kind != Kind::Clock) return QString();
    if (!game().Clock().HasLimit()) return u"без ограничения времени"_s;
    return spoken::TimeLeftWords(game());
  }

  AccessibleScreen& m_screen;
  Kind m_kind;
  ElementId m_element;
  int m_arg;
  QAccessibleInterface* m_parent;
  QList<QAccessibleInterface*> m_children;
};

/// The clock: seconds left as a number, and in words as its value text.
class ClockItem : public PaintedItem, public QAccessibleValueInterface {
 public:
  using PaintedItem::PaintedItem;
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
  }
  QVariant currentValue() const override { return spoken::SecondsLeft(game()); }
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override { return game().Clock().Limit(); }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }
};

constexpr int kColumns = int(kBoardColumns.size());

class LeaderboardItem;

/// One cell of the leaderboard: place, name or sum of a row.
class CellItem : public PaintedItem, public QAccessibleTableCellInterface {
 public:
  CellItem(AccessibleScreen& screen, int row, int column, QAccessibleInterface* table)
      : PaintedItem(screen, Kind::Cell, el::Leaderboard, row, table), m_row(row), m_column(column) {}
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QString();
    const WinnersTable& w = game().Board();
    if (m_row >= w.count()) return QString();
    const BoardRow& row = w.rows.at(m_row);
    switch (m_column) {
      case 0: return QString::number(m_row + 1);
      case 1: return row.name;
      default: {
        // A mark is a sign for the eye; a listener hears what it stands for.
        const AnswerTime time = AnswerTimeOfSum(row.sum);
        if (time == AnswerTime::Normal) return SumText(row.sum);
        return SumText(WinnerSumValue(row.sum)) + u", "_s + AnswerTimeWords(time);
      }
    }
  }
  QRect rect() const override {
    // The row's slice of its column, as the list is scrolled now.
    const Screen& screen = game().screen();
    const int count = std::max(game().Board().count(), 1);
    const QRectF column = screen.BoardColumnRect(kBoardColumns[std::size_t(m_column)]);
    const qreal line = column.height() / count;
    return m_screen.ToScreen(QRectF(column.left(), column.top() + line * m_row, column.width(), line).toRect());
  }
  QAccessible::State state() const override {
    QAccessible::State s = PaintedItem::state();
    s.selectable = true;
    s.selected = isSelected();
    return s;
  }
  // QAccessibleTableCellInterface
  /// The player's own row, the one just named, stands out as on the screen.
  bool isSelected() const override { return game().screen().listHighlight() == m_row + 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return m_column; }
  int rowIndex() const override { return m_row; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return m_parent; }

 private:
  int m_row, m_column;
};

/// The leaderboard with every row, also those scrolled out of sight.
class LeaderboardItem : public PaintedItem, public QAccessibleTableInterface {
 public:
  LeaderboardItem(AccessibleScreen& screen) : PaintedItem(screen, Kind::Leaderboard, el::Leaderboard) {}
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
  }
  int childCount() const override { return rowCount() * kColumns; }
  QAccessibleInterface* child(int index) const override {
    return index >= 0 && index < childCount() ? m_children.value(index) : nullptr;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Description)
      return rowCount() == 0 ? u"пусто"_s : Counted(rowCount(), u"строка"_s, u"строки"_s, u"строк"_s);
    return PaintedItem::text(t);
  }
  /// The column headers, made once by the screen.
  std::array<QAccessibleInterface*, kColumns> heads{};
  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns) return nullptr;
    return m_children.value(row * kColumns + column);
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override {
    static const QString kHeads[kColumns] = {u"Место"_s, u"Имя"_s, u"Сумма"_s};
    return column >= 0 && column < kColumns ? kHeads[column] : QString();
  }
  int columnCount() const override { return kColumns; }
  QString rowDescription(int row) const override { return QString::number(row + 1); }
  int rowCount() const override { return element().visible ? std::min(game().Board().count(), kMaxWinners) : 0; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override {
    const int own = game().screen().listHighlight() - 1;
    return own >= 0 && own < rowCount() ? QList<int>{own} : QList<int>{};
  }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override { return selectedRows().contains(row); }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

/// A column's header: what the column holds, as the screen reader names a cell's column.
class HeaderItem : public PaintedItem {
 public:
  HeaderItem(AccessibleScreen& screen, int column, LeaderboardItem* table)
      : PaintedItem(screen, Kind::Cell, el::Leaderboard, column, table), m_table(table), m_column(column) {}
  QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? m_table->columnDescription(m_column) : QString();
  }
  QAccessibleInterface* parent() const override { return m_table; }

 private:
  LeaderboardItem* m_table;
  int m_column;
};

QList<QAccessibleInterface*> CellItem::columnHeaderCells() const {
  return {static_cast<LeaderboardItem*>(m_parent)->heads[std::size_t(m_column)]};
}

/// The window: named after the game whatever its caption shows, described by the
/// game's state, with the painted items before its real child widgets.
class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

  QString text(QAccessible::Text t) const override {
    const AccessibleScreen* screen = AccessibleScreen::Of(object());
    if (t == QAccessible::Name) return u"О, фартовик!"_s;
    if (t == QAccessible::Description && screen) return spoken::Situation(screen->game());
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return int(Items().size()) + QAccessibleWidget::childCount(); }
  QAccessibleInterface* child(int index) const override {
    const auto& items = Items();
    if (index < 0) return nullptr;
    if (index < items.size()) return items[index];
    return QAccessibleWidget::child(index - int(items.size()));
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto& items = Items();
    const qsizetype i = items.indexOf(const_cast<QAccessibleInterface*>(child));
    if (i >= 0) return int(i);
    const int native = QAccessibleWidget::indexOfChild(child);
    return native < 0 ? -1 : native + int(items.size());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    // Real widgets (the name box) lie over the painting; then the topmost item.
    if (QAccessibleInterface* native = QAccessibleWidget::childAt(x, y)) return native;
    const auto& items = Items();
    for (auto it = items.rbegin(); it != items.rend(); ++it)
      if (!(*it)->state().invisible && (*it)->rect().contains(x, y)) return *it;
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const AccessibleScreen* screen = AccessibleScreen::Of(object());
    QAccessibleInterface* item = screen ? screen->focusItem() : nullptr;
    if (item && QApplication::focusWidget() == widget()) return item;
    return QAccessibleWidget::focusChild();
  }

 private:
  const QList<QAccessibleInterface*>& Items() const {
    static const QList<QAccessibleInterface*> kNone;
    const AccessibleScreen* screen = AccessibleScreen::Of(object());
    return screen ? screen->items() : kNone;
  }
};

AccessibleScreen::EventWatcher& Watcher() {
  static AccessibleScreen::EventWatcher watcher;
  return watcher;
}

void Send(QAccessibleEvent& event) {
  if (Watcher()) Watcher()(&event);
  QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* WindowFactory(const QString&, QObject* object) {
  if (object && object->isWidgetType() && AccessibleScreen::Of(object))
    return new WindowAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

AccessibleScreen::AccessibleScreen(QWidget& window, const Game& game, QLineEdit& nameBox, LayoutToWindow layoutToWindow)
    : m_window(window), m_layoutToWindow(std::move(layoutToWindow)), m_game(game), m_nameBox(nameBox) {
  static const bool installed = [] {
    QAccessible::installFactory(WindowFactory);
    return true;
  }();
  Q_UNUSED(installed);
  Screens().insert(&window, this);

  auto add = [this](QAccessibleInterface* item) {
    m_ids.push_back(QAccessible::registerAccessibleInterface(item));
    return item;
  };
  auto top = [&](QAccessibleInterface* item) {
    m_items.append(add(item));
    m_watched.append(item);
    return item;
  };
  top(new PaintedItem(*this, Kind::Question, el::QuestionFrame));
  for (int p = 1; p <= 4; ++p) {
    m_controls.append({top(new PaintedItem(*this, Kind::Answer, AnswerSlot(p), p)), AnswerSlot(p)});
  }
  for (const ElementId e : kQuestionButtons) m_controls.append({top(new PaintedItem(*this, Kind::Button, e)), e});
  auto* ladder = new PaintedItem(*this, Kind::Ladder, el::Rung1);
  top(ladder);
  // Top to bottom, as the ladder stands.
  for (int n = 15; n >= 1; --n) {
    auto* row = new PaintedItem(*this, Kind::LadderRow, LadderRung(n), n, ladder);
    ladder->AddChild(add(row));
    m_watched.append(row);
  }
  m_clock = top(new ClockItem(*this, Kind::Clock, el::ClockBar));
  top(new PaintedItem(*this, Kind::Phone, el::PhonePanel));
  auto* poll = new PaintedItem(*this, Kind::Poll, el::PollPanel);
  top(poll);
  for (int p = 1; p <= 4; ++p) {
    auto* share = new PaintedItem(*this, Kind::PollShare, PollBar(p), p, poll);
    poll->AddChild(add(share));
    m_watched.append(share);
  }
  top(new PaintedItem(*this, Kind::PanelText, el::VictoryPanel));
  top(new PaintedItem(*this, Kind::Button, el::VictoryConfirm));
  top(new PaintedItem(*this, Kind::PanelText, el::LossPanel));
  top(new PaintedItem(*this, Kind::Button, el::LossConfirm));
  top(new PaintedItem(*this, Kind::PanelText, el::TimeoutPanel));
  top(new PaintedItem(*this, Kind::Button, el::TimeoutConfirm));
  auto* board = new LeaderboardItem(*this);
  m_leaderboard = top(board);
  for (int r = 0; r < kMaxWinners; ++r)
    for (int c = 0; c < kColumns; ++c) board->AddChild(add(new CellItem(*this, r, c, board)));
  for (int c = 0; c < kColumns; ++c) board->heads[std::size_t(c)] = add(new HeaderItem(*this, c, board));
  for (const ElementId e : {el::HideTable, el::ClearTable, el::Menu, el::Minimise, el::Close})
    top(new PaintedItem(*this, Kind::Button, e));
  // Last in reading order, after what the screen shows. Announcements are told as
  // they come, not found as changes.
  for (QAccessibleInterface*& announcer : m_announcers) {
    announcer = add(new PaintedItem(*this, Kind::Announcer, el::QuestionFrame));
    m_items.append(announcer);
  }

  // The words "Ваше имя" are part of the panel's art. The box's name is what a
  // screen reader says as the panel gives it the focus: Update puts the panel's
  // words there, since a focus that moves cuts short anything said before it.
  nameBox.setAccessibleName(u"Ваше имя"_s);

  // A plain interface made for the window before this one existed would hide the
  // painted items for good: let the factory make it again.
  if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(&window);
      old && !dynamic_cast<WindowAccessible*>(old))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
}

AccessibleScreen::~AccessibleScreen() {
  Screens().remove(&m_window);
  for (QAccessible::Id id : m_ids) QAccessible::deleteAccessibleInterface(id);
}

void AccessibleScreen::WatchEvents(EventWatcher watcher) { Watcher() = std::move(watcher); }

AccessibleScreen* AccessibleScreen::Of(const QObject* window) { return Screens().value(window); }

QRect AccessibleScreen::ToScreen(const QRect& layoutRect) const {
  const QRect inWindow = m_layoutToWindow(layoutRect);
  return QRect(m_window.mapToGlobal(inWindow.topLeft()), inWindow.size());
}

QAccessibleInterface* AccessibleScreen::focusItem() const { return m_focused; }

QString AccessibleScreen::Announced(const QAccessibleInterface* announcer) const {
  for (std::size_t i = 0; i < m_announcers.size(); ++i)
    if (m_announcers[i] == announcer) return m_announced[i];
  return QString();
}

AccessibleScreen::Steering AccessibleScreen::Steer(Command command) {
  Steering steering;
  const bool questionOpen = m_game.CurrentRound().answersOpen && !m_game.PageOpen();
  auto at = [this]() -> qsizetype { return m_control; };
  auto usable = [](QAccessibleInterface* item) {
    const QAccessible::State s = item->state();
    return !s.invisible && !s.disabled;
  };
  switch (command) {
    case Command::NextControl:
    case Command::PreviousControl: {
      if (!questionOpen) break;
      steering.taken = true;
      const qsizetype n = m_controls.size();
      const qsizetype step = command == Command::NextControl ? 1 : n - 1;
      // From an announcement, Tab starts at the first control and Shift+Tab at the last.
      qsizetype i = at();
      if (i < 0) i = command == Command::NextControl ? n - 1 : 0;
      for (qsizetype k = 0; k < n; ++k) {
        i = (i + step) % n;
        if (!usable(m_controls[i].first)) continue;  // removed answers and used lifelines
        m_focused = m_controls[i].first;
        m_control = i;
        if (QAccessible::isActive() || Watcher()) {
          QAccessibleEvent focus(m_focused, QAccessible::Focus);
          Send(focus);
        }
        break;
      }
      break;
    }
    case Command::PressControl:
    case Command::Confirm: {
      // Enter confirms a panel where one is open; otherwise it presses, like Space.
      if (!questionOpen || (command == Command::Confirm && m_game.OpenPanel() != Panel::None &&
                            m_game.OpenPanel() != Panel::Phone && m_game.OpenPanel() != Panel::Poll))
        break;
      const qsizetype i = at();
      if (i < 0 || !usable(m_controls[i].first)) break;
      steering.taken = true;
      steering.press = m_controls[i].second;
      break;
    }
    case Command::RepeatQuestion: {
      steering.taken = true;
      const QString words = spoken::QuestionWords(m_game, false);
      Announce(words.isEmpty() ? m_news.Now(m_game) : words);
      break;
    }
    case Command::TellTime:
      steering.taken = true;
      Announce(m_game.CurrentPhase() == Phase::Answering ? spoken::TimeLeftWords(m_game) : u"Сейчас часы не идут."_s);
      break;
    default: steering.reason = spoken::WhyNot(m_game, command); break;
  }
  return steering;
}

void AccessibleScreen::Announce(const QString& text) {
  if (text.isEmpty()) return;
  // The other object: one that already has the focus would not be read again.
  m_announcer = 1 - m_announcer;
  QAccessibleInterface* announcer = m_announcers[std::size_t(m_announcer)];
  const bool wasShown = !m_announced[std::size_t(m_announcer)].isEmpty();
  m_announced[std::size_t(m_announcer)] = text;
  m_focused = announcer;
  if (!QAccessible::isActive() && !Watcher()) return;
  if (!wasShown) {
    QAccessibleEvent shown(announcer, QAccessible::ObjectShow);
    Send(shown);
  }
  QAccessibleEvent focus(announcer, QAccessible::Focus);
  Send(focus);
}

AccessibleScreen::Seen AccessibleScreen::Look(QAccessibleInterface* iface) const {
  Seen seen;
  seen.name = iface->text(QAccessible::Name);
  seen.description = iface->text(QAccessible::Description);
  seen.state = iface->state();
  return seen;
}

void AccessibleScreen::Update() {
  // An announcement (a clock warning …) takes the focus from the control Tab reached,
  // but the player is still there until the answers close.
  if (!m_game.CurrentRound().answersOpen) m_control = -1;
  // With nobody listening every event would be dropped: the look is skipped, and the
  // first look once somebody listens is a silent starting point, as at start.
  if (!QAccessible::isActive() && !Watcher()) {
    m_seen.clear();
    return;
  }
  QList<QAccessibleInterface*> watched = m_watched;
  QAccessibleInterface* windowIface = QAccessible::queryAccessibleInterface(&m_window);
  if (windowIface) watched.prepend(windowIface);
  const bool first = m_seen.empty();
  std::vector<Seen> now;
  now.reserve(watched.size());
  for (QAccessibleInterface* iface : watched) now.push_back(Look(iface));

  if (!first && m_seen.size() == now.size()) {
    for (qsizetype i = 0; i < watched.size(); ++i) {
      QAccessibleInterface* iface = watched[i];
      const Seen& was = m_seen[i];
      Seen& is = now[i];
      if (was.state.invisible != is.state.invisible) {
        QAccessibleEvent event(iface, is.state.invisible ? QAccessible::ObjectHide : QAccessible::ObjectShow);
        Send(event);
      }
      if (was.name != is.name) {
        QAccessibleEvent event(iface, QAccessible::NameChanged);
        Send(event);
      }
      if (was.description != is.description && iface != m_clock) {
        QAccessibleEvent event(iface, QAccessible::DescriptionChanged);
        Send(event);
      }
      QAccessible::State changed;
      changed.disabled = was.state.disabled != is.state.disabled;
      changed.checked = was.state.checked != is.state.checked;
      changed.selected = was.state.selected != is.state.selected;
      changed.invisible = was.state.invisible != is.state.invisible;
      if (changed.disabled || changed.checked || changed.selected || changed.invisible) {
        QAccessibleStateChangeEvent event(iface, changed);
        Send(event);
      }
    }
  }
  m_seen = std::move(now);

  // The board's rows as a whole: a new board is a new model for the table.
  QString board;
  const WinnersTable& w = m_game.Board();
  if (!m_leaderboard->state().invisible)
    for (const BoardRow& row : w.rows.first(std::min(w.count(), kMaxWinners)))
      board += row.name + u'\t' + row.sum + u'\n';
  if (board != m_board && !first) {
    QAccessibleTableModelChangeEvent event(m_leaderboard, QAccessibleTableModelChangeEvent::ModelReset);
    Send(event);
  }
  m_board = board;

  QString news = m_news.Look(m_game).join(u' ');
  if (!m_held.isEmpty()) news = QString(m_held + u' ' + news).trimmed();
  m_held.clear();
  if (news.isEmpty()) return;
  if (m_nameBox.isVisible() && !m_nameBox.hasFocus()) {
    // The name box is about to take the focus, and a focus that moves cuts short
    // what was said before it: the panel's words wait for the next look.
    m_held = news;
    return;
  }
  Announce(news);
}
