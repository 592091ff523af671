#include "shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QWindow>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

#include "data/random_source.h"
#include "screen/fonts.h"
#include "screen/key_table.h"
#include "screen/qt_text_measurer.h"
#include "screen/screen_painter.h"
#include "shell/accessible_screen.h"
#include "shell/key_press.h"
#include "shell/player_settings.h"
#include "shell/qt_sound_output.h"
#include "shell/qt_info_box.h"
#include "shell/view_scale.h"
#include "shell/window_placement.h"

using namespace Qt::StringLiterals;

MainWindow::MainWindow(Services services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(std::move(services)) {
  m_measurer = std::make_unique<QtTextMeasurer>();
  if (m_services.infoBox) {
    m_infoBox = m_services.infoBox;
  } else {
    m_ownInfoBox = std::make_unique<QtInfoBox>(this);
    m_infoBox = m_ownInfoBox.get();
  }
  if (m_services.random) {
    m_random = m_services.random;
  } else {
    m_ownRandom = std::make_unique<SystemRandomSource>();
    m_random = m_ownRandom.get();
  }
  m_game = std::make_unique<Game>(static_cast<Platform&>(*this), *m_measurer, m_services.programFolder,
                                  Screen::SheetLoader{}, m_services.locations);
  if (m_services.sound) {
    m_sound = m_services.sound;
  } else {
    m_ownSound = std::make_unique<QtSoundOutput>();
    m_sound = m_ownSound.get();
  }

  setFixedSize(ViewScale::kLogicalWidth, ViewScale::kLogicalHeight);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setWindowTitle(u"О, фартовик!"_s);
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addFile(u":/art/icon_%1.png"_s.arg(size), QSize(size, size));
  setWindowIcon(icon);

  m_settings = OpenPlayerSettings(m_services.settingsFile);
  BuildNameBox();
  BuildMenu();
  m_accessible = std::make_unique<AccessibleScreen>(*this, *m_game, *m_nameBox,
                                                    [this](const QRect& layout) { return ToWindow(layout); });
  m_timer = new QTimer(this);
  m_timer->setInterval(100);
  connect(m_timer, &QTimer::timeout, this, &MainWindow::Tick);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildNameBox() {
  m_nameBox = new QLineEdit(this);
  m_nameBox->setFrame(false);
  m_nameBox->hide();
  m_nameBox->installEventFilter(this);
  // The model is the truth; the line edit only reports what the player typed.
  connect(m_nameBox, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_game->TypeName(text);
  });
}

void MainWindow::StyleNameBox() {
  const NameBox& box = m_game->screen().nameBox();
  CaptionFont font;
  font.face = u"Arial"_s;
  font.size = 9.75;
  font.bold = true;
  QFont qfont = ToQFont(font);
  // The box is a real widget on the scaled picture, so its text grows with it.
  if (qfont.pointSizeF() > 0) qfont.setPointSizeF(qfont.pointSizeF() * ViewScaleFactor());
  else if (qfont.pixelSize() > 0) qfont.setPixelSize(qRound(qfont.pixelSize() * ViewScaleFactor()));
  m_nameBox->setFont(qfont);
  m_nameBox->setMaxLength(box.maxLength);
  QPalette palette = m_nameBox->palette();
  palette.setColor(QPalette::Text, ToQColor(box.textColour));
  palette.setColor(QPalette::Base, ToQColor(box.backColour));
  palette.setColor(QPalette::Highlight, ToQColor(box.textColour));
  // The preselected default name: white on the box's navy reads where olive did not.
  palette.setColor(QPalette::HighlightedText, Qt::white);
  m_nameBox->setPalette(palette);
}

void MainWindow::BuildMenu() {
  m_menu = new QMenu(u"Главное меню"_s, this);
  // The menu wears the game's colours rather than the desktop's.
  m_menu->setStyleSheet(
      u"QMenu { font-family: \"Liberation Sans\"; font-size: 13px; background: #050b1c; color: #ffffff; border: 1px solid #0773de; padding: 3px; }"
      "QMenu::item { padding: 4px 18px 4px 14px; }"
      "QMenu::item:selected { background: #cc661a; color: #ffffff; }"
      "QMenu::item:disabled { color: #56607a; }"
      "QMenu::separator { height: 1px; background: #0773de; margin: 3px 6px; }"_s);
  m_newGameAction = AddCommandItem(m_menu, u"Новая игра"_s, Command::NewGame);
  m_winnersAction = AddCommandItem(m_menu, u"Таблица лидеров"_s, Command::ShowLeaderboard);
  m_menu->addSeparator();
  AddCommandItem(m_menu, u"Правила игры"_s, Command::Rules);
  AddCommandItem(m_menu, u"О программе"_s, Command::About);
  AddSoundItem();
  m_menu->addSeparator();
  BuildViewMenu();
  m_menu->addSeparator();
  AddCommandItem(m_menu, u"Выход"_s, Command::Exit);
  // The key handler carries the shortcuts out; the menu only shows them.
  for (QAction* action : m_menu->actions()) action->setShortcutContext(Qt::WidgetShortcut);
  for (QAction* action : m_zoomMenu->actions()) action->setShortcutContext(Qt::WidgetShortcut);
}

QAction* MainWindow::AddCommandItem(QMenu* menu, const QString& caption, Command command) {
  QAction* action = menu->addAction(caption);
  // The menu shows the shortcut the key table gives it; the keys themselves are the table's.
  if (const KeyBinding* binding = MenuBinding(command))
    action->setShortcut(QKeySequence(QKeyCombination(binding->modifier, Qt::Key(binding->keys[0]))));
  connect(action, &QAction::triggered, this, [this, command] { Carry(command); });
  return action;
}

void MainWindow::Carry(Command command) {
  switch (command) {
    case Command::ZoomIn: SetZoom(ViewScale::Step(m_zoom, +1)); break;
    case Command::ZoomOut: SetZoom(ViewScale::Step(m_zoom, -1)); break;
    case Command::FullScreen: SetFullScreen(!m_fullScreen); break;
    default: Run([&] { m_game->Perform(command); }); break;
  }
}

void MainWindow::AddSoundItem() {
  m_soundKept = m_settings->value(u"sound/enabled"_s, true).toBool();
  // Before start-up, so that a muted game does not strike up its theme.
  m_game->SetSoundOn(m_soundKept);
  m_soundAction = AddCommandItem(m_menu, u"Звук"_s, Command::ToggleSound);
  m_soundAction->setCheckable(true);
  m_soundAction->setChecked(m_soundKept);
}

void MainWindow::SyncSound() {
  const bool on = m_game->SoundOn();
  m_soundAction->setChecked(on);
  if (on == m_soundKept) return;
  m_soundKept = on;
  m_settings->setValue(u"sound/enabled"_s, on);
}

void MainWindow::Start() {
  Run([this] { m_game->Start(); });
  RestoreView();
  if (m_services.startTimer && m_game->TimerEnabled()) m_timer->start();
}

void MainWindow::Tick() {
  // A box opened inside a tick (a damaged leaderboard met at the end of a game) runs
  // its own event loop, and the timer goes on firing there. Those ticks run, as they
  // do behind any other box: the caption's clock keeps time and the game goes on
  // behind the box, its question clock held while the game asks something. This is
  // safe because a step that can open a box switches its own task off first.
  setWindowTitle(m_titleBarClock.Caption());
  Run([this] { m_game->Tick(); });
}

void MainWindow::Run(const std::function<void()>& handler) {
  handler();
  SyncView();
}

void MainWindow::SyncView() {
  const QRegion dirty = m_game->TakeScreenChanges();
  if (!dirty.isEmpty()) {
    QRegion shown;
    for (const QRect& rect : dirty) shown += ToWindow(rect).adjusted(-1, -1, 1, 1);  // filtered edges
    update(shown);
  }

  const Screen& screen = m_game->screen();
  const NameBox& box = screen.nameBox();
  const Element& panel = screen.element(el::VictoryPanel);
  // A page over the game covers the name box too.
  const bool shown = box.visible && panel.visible && !m_game->PageOpen();
  if (box.revision != m_nameBoxRevision) {
    m_nameBoxRevision = box.revision;
    m_nameBox->setText(box.text);
    if (box.selectionLength > 0) m_nameBox->setSelection(box.selectionStart, box.selectionLength);
  }
  m_nameBox->setGeometry(ToWindow(box.rect.translated(panel.Box().topLeft())));
  if (m_nameBox->isVisible() != shown) {
    const bool hadFocus = m_nameBox->hasFocus();
    m_nameBox->setVisible(shown);
    if (!shown && hadFocus) setFocus();
  }
  m_newGameAction->setEnabled(m_game->NewGameEnabled());
  m_winnersAction->setEnabled(m_game->WinnersEnabled());
  // A page that opens while a button is held takes that button's release.
  if (m_game->PageOpen() && (m_captured || m_pressedCaption)) EndPointerCapture();
  m_accessible->Update();
  SyncSound();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const qreal scale = ViewScaleFactor();
  const qreal deviceScale = scale * devicePixelRatioF();
  // Only a window shown larger than 640 × 480 pixels needs the sharper sheets; a
  // new scale lets go of the sheets prepared for the old one.
  m_sharpSheets.SetScale(deviceScale);
  // Full screen: black bars beside the 4:3 picture.
  const QRect picture = m_picture.toAlignedRect();
  const QRegion bars = event->region().subtracted(QRegion(picture));
  for (const QRect& rect : bars) painter.fillRect(rect, Qt::black);
  QRegion logical;
  for (const QRect& rect : event->region()) {
    const QRectF r = QRectF(rect).translated(-m_picture.topLeft());
    logical += QRectF(r.topLeft() / scale, r.size() / scale).toAlignedRect().adjusted(-1, -1, 1, 1);
  }
  painter.translate(m_picture.topLeft());
  painter.scale(scale, scale);
  const QRect layout(0, 0, ViewScale::kLogicalWidth, ViewScale::kLogicalHeight);
  PaintScreen(painter, m_game->screen(), logical & layout, deviceScale > 1.0 ? &m_sharpSheets : nullptr);
}

ElementId MainWindow::PointerTarget(QPointF point) const { return EnabledOrBackground(m_game->screen().ElementAt(point)); }

ElementId MainWindow::EnabledOrBackground(ElementId index) const {
  return m_game->screen().element(index).enabled ? index : el::Background;
}

QPointF MainWindow::Relative(ElementId index, QPointF point) const {
  const Element& element = m_game->screen().element(index);
  return point - QPointF(element.left, element.top);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (m_captured || m_pressedCaption) return;  // a second button while one is held
  if (m_game->PageOpen()) {
    // The pages take the click; nothing beneath them is pressed.
    if (!m_pagePressed) m_captureButton = event->button();
    m_pagePressed = true;
    return;
  }
  m_pagePressed = false;  // its release went elsewhere
  const QPointF point = ToLogical(event->position());
  m_captureButton = event->button();
  const std::optional<ElementId> caption = m_game->screen().CaptionAt(point);
  if (caption) {
    // Captions are transparent for presses; only their click counts.
    m_pressedCaption = caption;
    return;
  }
  const ElementId index = PointerTarget(point);
  if (index == el::TitleStrip && event->button() == Qt::LeftButton && WindowNormal() && windowHandle() &&
      windowHandle()->startSystemMove()) {
    // The window system moves the window (the only way on Wayland) and keeps the
    // release; the game's own drag is for systems that refuse.
    return;
  }
  m_captured = index;
  const QPointF at = Relative(index, point);
  Run([&] { m_game->PointerPressed(index, at.x(), at.y()); });
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPointF point = ToLogical(event->position());
  if (m_pagePressed && !(event->buttons() & m_captureButton)) m_pagePressed = false;
  if (m_game->PageOpen() || m_pagePressed) return;
  // The release may never have come here (a box or another window took it): a
  // capture lasts only while its button is really held.
  if ((m_captured || m_pressedCaption) && !(event->buttons() & m_captureButton))
    EndPointerCapture();
  if (m_captured) {
    const ElementId captured = *m_captured;
    const QPointF at = Relative(captured, point);
    Run([&] { m_game->PointerMoved(captured, at.x(), at.y()); });
    return;
  }
  if (m_pressedCaption) return;
  // Pointing at a caption is pointing at what it is written on: an answer lights
  // when the pointer is on its text as well as on its edge.
  const std::optional<ElementId> caption = m_game->screen().CaptionAt(point);
  const ElementId index = caption ? EnabledOrBackground(*caption) : PointerTarget(point);
  const QPointF at = Relative(index, point);
  Run([&] { m_game->PointerMoved(index, at.x(), at.y()); });
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  // The capture ends with the button that began it; other buttons do nothing.
  if (event->button() != m_captureButton) return;
  const QPointF point = ToLogical(event->position());
  if (std::exchange(m_pagePressed, false)) {
    if (m_game->PageOpen()) Run([&] { m_game->ClickPage(point); });
    return;
  }
  if (m_pressedCaption) {
    const ElementId caption = *std::exchange(m_pressedCaption, std::nullopt);
    if (m_game->screen().CaptionAt(point) == caption &&
        m_game->screen().element(caption).caption.enabled) {
      Run([&] { m_game->ClickCaption(caption); });
    }
    return;
  }
  if (!m_captured) return;
  const ElementId index = *std::exchange(m_captured, std::nullopt);
  const QPointF at = Relative(index, point);
  Run([&] { m_game->PointerReleased(index, at.x(), at.y()); });
  // A click is a press and a release on the same element; the dispatcher decides.
  if (index != el::Background && PointerTarget(point) == index) {
    Run([&] { m_game->ClickElement(index); });
  }
}

void MainWindow::EndPointerCapture() {
  m_pressedCaption.reset();
  m_pagePressed = false;
  if (!m_captured) return;
  const ElementId index = *std::exchange(m_captured, std::nullopt);
  // The release the element never got, at the press point's element: drags end and
  // looks return, but nothing is clicked.
  Run([&] { m_game->PointerReleased(index, 0, 0); });
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) EndPointerCapture();
  QWidget::changeEvent(event);
}

void MainWindow::leaveEvent(QEvent*) {
  if (m_captured || m_game->PageOpen()) return;
  Run([this] { m_game->DropHover(); });
}

bool MainWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const Screen& screen = m_game->screen();
    const QPointF point = ToLogical(help->pos());
    QString tip;
    // Nothing beneath a page explains itself through it.
    if (m_game->PageOpen()) {
      QToolTip::hideText();
      event->ignore();
      return true;
    }
    if (const std::optional<ElementId> caption = screen.CaptionAt(point)) {
      tip = screen.element(*caption).caption.tooltip;
    } else {
      tip = screen.element(screen.ElementAt(point)).tooltip;
    }
    if (tip.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
  }
  return QWidget::event(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The window sees every key before the name box does; the box still gets it, but
  // a key the box ignores must not travel on to the window a second time.
  if (watched == m_nameBox && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    if (event->type() == QEvent::KeyPress) PressKey(*static_cast<QKeyEvent*>(event));
    static_cast<QObject*>(m_nameBox)->event(event);
    event->accept();  // an ignored key would travel on to the window
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::wheelEvent(QWheelEvent* event) {
  if (!m_game->PageOpen()) {
    Run([&] { m_game->WheelBoard(event->angleDelta().y()); });
    return;
  }
  const int steps = event->angleDelta().y() / 120;
  Run([&] { m_game->WheelPage(steps); });
}

void MainWindow::keyPressEvent(QKeyEvent* event) { PressKey(*event); }

void MainWindow::PressKey(const QKeyEvent& event) {
  const int key = KeyOf(event);
  // The view's keys act over everything, the pages too; the game sees every key as well.
  const KeyBinding* view = BindingOf(key, event.modifiers(), KeyScope::Window);
  if (view && !(event.isAutoRepeat() && view->Has(KeyBinding::Once))) Carry(view->command);
  // The screen reader's keys: moving among the controls, pressing one, hearing again.
  const KeyBinding* binding = m_game->PageOpen() ? nullptr : BindingOf(key, event.modifiers(), KeyScope::Game);
  AccessibleScreen::Steering steering;
  if (binding && !(m_game->OpenPanel() == Panel::Record && binding->TypesText())) {
    steering = m_accessible->Steer(binding->command);
    if (steering.press) Run([&] { m_game->ClickElement(*steering.press); });
    if (steering.taken) return;
  }
  Run([&] { m_game->KeyPressed(key, event.modifiers()); });
  m_accessible->Announce(steering.reason);
}

bool MainWindow::focusNextPrevChild(bool) {
  // Tab moves among the painted controls (the key table's), not among widgets: the
  // name box is the only one, and it alone takes keys while it is shown.
  return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool cancel = false;
  Run([&] { cancel = m_game->CloseRequested(); });
  if (cancel) {
    event->ignore();
  } else {
    m_timer->stop();
    RememberView();
    event->accept();
  }
}
