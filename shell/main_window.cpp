#include "shell/main_window.h"

#include <QCloseEvent>
#include <QHelpEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include "data/player_history.h"
#include "screen/fonts.h"
#include "screen/key_table.h"
#include "screen/qt_text_measurer.h"
#include "screen/screen_painter.h"
#include "shell/accessible_screen.h"
#include "shell/answer_time_menu.h"
#include "shell/key_press.h"
#include "shell/player_settings.h"
#include "shell/view_scale.h"

using namespace Qt::StringLiterals;

MainWindow::MainWindow(Services services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(std::move(services)) {
  m_measurer = std::make_unique<QtTextMeasurer>();
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
  m_menu = std::make_unique<GameMenu>(
      this, GameMenu::Handlers{[this](Command command) { Carry(command); }, [this](qreal step) { SetZoom(step); },
                               [this] { m_view->CheckZoomStep(); }});
  m_view = std::make_unique<ViewSettings>(
      *this, *m_settings, *m_menu,
      ViewSettings::Hooks{m_services.availableArea, [this] { EndPointerCapture(); }, [this] { PictureChanged(); }});
  m_platform = std::make_unique<WindowPlatform>(
      WindowPlatform::Sources{m_services.infoBox, m_services.random, m_services.steadyClock, m_services.sound},
      WindowPlatform::Window{*this, *m_view, *m_menu, *m_nameBox, [this] { EndPointerCapture(); },
                             [this] { SyncView(); }});
  GameHistory* history = m_services.history;
  if (!history) {
    m_ownHistory = std::make_unique<PlayerHistoryFile>();
    history = m_ownHistory.get();
  }
  m_game = std::make_unique<Game>(*m_platform, *m_measurer, m_services.programFolder, Screen::SheetLoader{},
                                  m_services.locations, history);
  m_menu->InsertSubmenuAfter(Command::ToggleSound, new AnswerTimeMenu(*m_menu->menu(), *m_game, *m_settings));
  RestoreSound();
  m_accessible = std::make_unique<AccessibleScreen>(*this, *m_game, *m_nameBox,
                                                    [this](const QRect& layout) { return m_view->ToWindow(layout); });
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
  connect(m_nameBox, &QLineEdit::textEdited, this, [this](const QString& text) { m_game->TypeName(text); });
}

void MainWindow::StyleNameBox() {
  const NameBox& box = m_game->screen().nameBox();
  CaptionFont font;
  font.face = u"Arial"_s;
  font.size = 9.75;
  font.bold = true;
  QFont qfont = ToQFont(font);
  // The box is a real widget on the scaled picture, so its text grows with it.
  const qreal scale = m_view->Scale();
  if (qfont.pointSizeF() > 0) qfont.setPointSizeF(qfont.pointSizeF() * scale);
  else if (qfont.pixelSize() > 0) qfont.setPixelSize(qRound(qfont.pixelSize() * scale));
  m_nameBox->setFont(qfont);
  m_nameBox->setMaxLength(box.maxLength);
  QPalette palette = m_nameBox->palette();
  palette.setColor(QPalette::Text, QColor(box.textColour));
  palette.setColor(QPalette::Base, QColor(box.backColour));
  palette.setColor(QPalette::Highlight, QColor(box.textColour));
  // The preselected default name: white on the box's navy reads where olive did not.
  palette.setColor(QPalette::HighlightedText, Qt::white);
  m_nameBox->setPalette(palette);
}

void MainWindow::Carry(Command command) {
  switch (command) {
    case Command::ZoomIn: SetZoom(ViewScale::Step(zoom(), +1)); break;
    case Command::ZoomOut: SetZoom(ViewScale::Step(zoom(), -1)); break;
    case Command::FullScreen: SetFullScreen(!fullScreen()); break;
    default: Run([&] { m_game->Perform(command); }); break;
  }
}

void MainWindow::RestoreSound() {
  m_soundKept = m_settings->value(u"sound/enabled"_s, true).toBool();
  // Before start-up, so that a muted game does not strike up its theme.
  m_game->SetSoundOn(m_soundKept);
  m_menu->Check(Command::ToggleSound, m_soundKept);
}

void MainWindow::SyncSound() {
  const bool on = m_game->SoundOn();
  m_menu->Check(Command::ToggleSound, on);
  if (on == m_soundKept) return;
  m_soundKept = on;
  m_settings->setValue(u"sound/enabled"_s, on);
}

void MainWindow::PictureChanged() {
  if (!m_accessible) return;  // a resize while the window is still being built
  StyleNameBox();
  SyncView();
  update();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_view) m_view->UpdatePicture();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (m_view) m_view->WindowMoved();
}

void MainWindow::Start() {
  Run([this] { m_game->Start(); });
  m_view->Restore();
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
    for (const QRect& rect : dirty) shown += m_view->ToWindow(rect).adjusted(-1, -1, 1, 1);  // filtered edges
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
  m_nameBox->setGeometry(m_view->ToWindow(box.rect.translated(panel.Box().topLeft())));
  if (m_nameBox->isVisible() != shown) {
    const bool hadFocus = m_nameBox->hasFocus();
    m_nameBox->setVisible(shown);
    if (!shown && hadFocus) setFocus();
  }
  m_menu->Enable(Command::NewGame, m_game->NewGameEnabled());
  m_menu->Enable(Command::ShowLeaderboard, m_game->WinnersEnabled());
  // A page that opens while a button is held takes that button's release.
  if (m_game->PageOpen() && (m_captured || m_pressedCaption)) EndPointerCapture();
  m_accessible->Update();
  SyncSound();
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const qreal scale = m_view->Scale();
  const QRectF pictureRect = m_view->picture();
  const qreal deviceScale = scale * devicePixelRatioF();
  // Only a window shown larger than 640 × 480 pixels needs the sharper sheets; a
  // new scale lets go of the sheets prepared for the old one.
  m_sharpSheets.SetScale(deviceScale);
  // Full screen: black bars beside the 4:3 picture.
  const QRect picture = pictureRect.toAlignedRect();
  const QRegion bars = event->region().subtracted(QRegion(picture));
  for (const QRect& rect : bars) painter.fillRect(rect, Qt::black);
  QRegion logical;
  for (const QRect& rect : event->region()) {
    const QRectF r = QRectF(rect).translated(-pictureRect.topLeft());
    logical += QRectF(r.topLeft() / scale, r.size() / scale).toAlignedRect().adjusted(-1, -1, 1, 1);
  }
  painter.translate(pictureRect.topLeft());
  painter.scale(scale, scale);
  const QRect layout(0, 0, ViewScale::kLogicalWidth, ViewScale::kLogicalHeight);
  PaintScreen(painter, m_game->screen(), logical & layout, deviceScale > 1.0 ? &m_sharpSheets : nullptr);
}

ElementId MainWindow::PointerTarget(QPointF point) const {
  return EnabledOrBackground(m_game->screen().ElementAt(point));
}

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
  const QPointF point = m_view->ToLogical(event->position());
  m_captureButton = event->button();
  const std::optional<ElementId> caption = m_game->screen().CaptionAt(point);
  if (caption) {
    // Captions are transparent for presses; only their click counts.
    m_pressedCaption = caption;
    return;
  }
  const ElementId index = PointerTarget(point);
  if (index == el::TitleStrip && event->button() == Qt::LeftButton && m_platform->WindowNormal() && windowHandle() &&
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
  const QPointF point = m_view->ToLogical(event->position());
  if (m_pagePressed && !(event->buttons() & m_captureButton)) m_pagePressed = false;
  if (m_game->PageOpen() || m_pagePressed) return;
  // The release may never have come here (a box or another window took it): a
  // capture lasts only while its button is really held.
  if ((m_captured || m_pressedCaption) && !(event->buttons() & m_captureButton)) EndPointerCapture();
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
  const QPointF point = m_view->ToLogical(event->position());
  if (std::exchange(m_pagePressed, false)) {
    if (m_game->PageOpen()) Run([&] { m_game->ClickPage(point); });
    return;
  }
  if (m_pressedCaption) {
    const ElementId caption = *std::exchange(m_pressedCaption, std::nullopt);
    if (m_game->screen().CaptionAt(point) == caption && m_game->screen().element(caption).caption.enabled) {
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
    const QPointF point = m_view->ToLogical(help->pos());
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
    m_view->Remember();
    event->accept();
  }
}
