#include "shell/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QLineEdit>
#include <QLocale>
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
    m_game->screen().nameBox().text = text;
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
  Run([this] { m_game->Tick(); });
}

void MainWindow::Run(const std::function<void()>& handler) {
  handler();
  SyncView();
}

void MainWindow::SyncView() {
  Screen& screen = m_game->screen();
  const QRegion dirty = screen.TakeDirty();
  if (!dirty.isEmpty()) {
    QRegion shown;
    for (const QRect& rect : dirty) shown += ToWindow(rect).adjusted(-1, -1, 1, 1);  // filtered edges
    update(shown);
  }

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

int MainWindow::ModalBox::Show(const QString& text, int flags) {
  m_window.EndPointerCapture();
  return m_window.m_infoBox->Show(text, flags);
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
  Run([&] { m_game->KeyPressed(key, event.modifiers()); });
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

double MainWindow::TimeOfDay() {
  if (m_services.timeOfDay) return m_services.timeOfDay();
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

double MainWindow::SteadySeconds() {
  if (m_services.steadyClock) return m_services.steadyClock();
  static const QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return started.nsecsElapsed() / 1e9;
}

QString MainWindow::TimeAndDate() {
  if (m_services.timeAndDate) return m_services.timeAndDate();
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale;
  return now.time().toString(u"HH:mm:ss"_s) + u' ' + locale.toString(now.date(), QLocale::ShortFormat);
}

void MainWindow::SetWindowCaption(const QString& caption) { setWindowTitle(caption); }

void MainWindow::PopupMenu(int x, int y) {
  EndPointerCapture();
  SyncView();
  m_menu->exec(mapToGlobal(ToWindow(QRect(x, y, 1, 1)).topLeft()));
}

void MainWindow::Minimise() { showMinimized(); }

void MainWindow::RequestClose() { close(); }

bool MainWindow::WindowNormal() { return !isMinimized() && !isMaximized() && !isFullScreen() && !m_fullScreen; }

void MainWindow::MoveWindowBy(qreal dx, qreal dy) {
  // The game measures the drag in its own units; the window moves in the desktop's.
  const qreal scale = ViewScaleFactor();
  move(pos() + QPoint(qRound(dx * scale), qRound(dy * scale)));
}

SoundOutput& MainWindow::Sound() { return *m_sound; }

void MainWindow::FocusNameBox() {
  SyncView();
  m_nameBox->setFocus(Qt::OtherFocusReason);
}

// ---- View: zoom, full screen, and where the window was -------------------------

namespace {
const QString kZoomKey = QStringLiteral("view/zoom");
const QString kFullScreenKey = QStringLiteral("view/fullScreen");
const QString kPositionKey = QStringLiteral("view/position");

QList<QRect> AvailableScreens() {
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.append(screen->availableGeometry());
  return screens;
}
}  // namespace

void MainWindow::BuildViewMenu() {
  m_zoomMenu = m_menu->addMenu(u"Масштаб"_s);
  m_zoomGroup = new QActionGroup(m_zoomMenu);
  for (qreal step : ViewScale::Steps()) {
    QAction* action = m_zoomMenu->addAction(u"%1 %"_s.arg(qRound(step * 100)));
    action->setCheckable(true);
    action->setData(step);
    m_zoomGroup->addAction(action);
    connect(action, &QAction::triggered, this, [this, step] { SetZoom(step); });
  }
  m_zoomMenu->addSeparator();
  m_largerAction = AddCommandItem(m_zoomMenu, u"Крупнее"_s, Command::ZoomIn);
  m_smallerAction = AddCommandItem(m_zoomMenu, u"Меньше"_s, Command::ZoomOut);
  // The screen's available area may have changed since (another screen, a panel).
  connect(m_zoomMenu, &QMenu::aboutToShow, this, [this] { CheckZoomStep(); });
  m_fullScreenAction = AddCommandItem(m_menu, u"Во весь экран"_s, Command::FullScreen);
  m_fullScreenAction->setCheckable(true);
}

void MainWindow::CheckZoomStep() {
  const QSize available = AvailableArea();
  for (QAction* action : m_zoomGroup->actions()) {
    action->setChecked(action->data().toReal() == m_zoom);
    action->setEnabled(ViewScale::Fits(action->data().toReal(), available));
  }
  m_largerAction->setEnabled(ViewScale::Fitting(ViewScale::Step(m_zoom, +1), available) > m_zoom);
  m_smallerAction->setEnabled(ViewScale::Step(m_zoom, -1) < m_zoom);
}

bool MainWindow::CanPlaceWindows() { return !QGuiApplication::platformName().startsWith(u"wayland"_s); }

QSize MainWindow::AvailableArea() const {
  if (m_services.availableArea) return m_services.availableArea();
  const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
  return shown ? shown->availableGeometry().size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void MainWindow::SetZoom(qreal zoom) {
  m_zoom = ViewScale::Fitting(zoom, AvailableArea());
  CheckZoomStep();
  if (!m_fullScreen) {
    // Grows and shrinks about the window's centre, kept on its screen.
    const QPoint centre = geometry().center();
    const QSize size = ViewScale::WindowSize(m_zoom);
    setFixedSize(size);
    if (isVisible() && CanPlaceWindows())
      move(ViewScale::ClampOntoScreens(centre - QPoint(size.width() / 2, size.height() / 2), size,
                                       AvailableScreens()));
  }
  UpdatePicture();
  RememberView();
}

void MainWindow::SetFullScreen(bool on) {
  if (on == m_fullScreen) {
    m_fullScreenAction->setChecked(on);
    return;
  }
  EndPointerCapture();
  m_fullScreen = on;
  if (on) {
    m_normalPosition = pos();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowState(windowState() | Qt::WindowFullScreen);
    // Without a window manager nobody acts on the full-screen state; the window
    // then covers its screen itself.
    if (CanPlaceWindows() && screen()) setGeometry(screen()->geometry());
  } else {
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    setFixedSize(ViewScale::WindowSize(m_zoom));
    if (CanPlaceWindows() && isVisible()) move(m_normalPosition);
  }
  m_fullScreenAction->setChecked(on);
  UpdatePicture();
  RememberView();
}

void MainWindow::RestoreView() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QVariant storedZoom = m_settings->value(kZoomKey);
  bool known = false;
  const qreal zoom = storedZoom.toReal(&known);
  // A zoom kept from a larger screen is brought down to what fits this one.
  if (known) m_zoom = ViewScale::Fitting(zoom, AvailableArea());
  else if (primary) m_zoom = ViewScale::FirstZoom(primary->availableGeometry().size());
  CheckZoomStep();
  const QSize size = ViewScale::WindowSize(m_zoom);
  setFixedSize(size);
  if (CanPlaceWindows() && primary) {
    const QVariant stored = m_settings->value(kPositionKey);
    if (stored.canConvert<QPoint>() && stored.isValid()) {
      move(ViewScale::ClampOntoScreens(stored.toPoint(), size, AvailableScreens()));
    } else {
      move(WindowPlacement(primary->availableGeometry(), size.width(), size.height()));
    }
  }
  if (m_settings->value(kFullScreenKey, false).toBool()) SetFullScreen(true);
  UpdatePicture();
}

void MainWindow::RememberView() {
  if (!m_settings) return;
  m_settings->setValue(kZoomKey, m_zoom);
  m_settings->setValue(kFullScreenKey, m_fullScreen);
  // Where the compositor places windows, a position means nothing next time.
  if (CanPlaceWindows() && !m_fullScreen && !isMinimized() && isVisible()) m_settings->setValue(kPositionKey, pos());
}

void MainWindow::UpdatePicture() {
  if (!m_zoomGroup) return;  // a resize while the window is still being built
  m_picture = ViewScale::Letterbox(size());
  StyleNameBox();
  SyncView();
  update();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdatePicture();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (CanPlaceWindows() && !m_fullScreen && isVisible() && m_settings) m_settings->setValue(kPositionKey, pos());
}

QPointF MainWindow::ToLogical(QPointF point) const {
  return (point - m_picture.topLeft()) / ViewScaleFactor();
}

QRect MainWindow::ToWindow(const QRect& logical) const {
  const qreal scale = ViewScaleFactor();
  const QRectF r(m_picture.topLeft() + QPointF(logical.topLeft()) * scale, QSizeF(logical.size()) * scale);
  return r.toAlignedRect();
}
