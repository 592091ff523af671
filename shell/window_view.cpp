// The window as a view: zoom, full screen, and where the window was.
#include <QActionGroup>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QWindow>

#include <cmath>

#include "shell/main_window.h"
#include "shell/player_settings.h"
#include "shell/view_scale.h"
#include "shell/window_placement.h"

using namespace Qt::StringLiterals;

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
