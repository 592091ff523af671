#include "shell/view_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include "shell/game_menu.h"
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

ViewSettings::ViewSettings(QWidget& window, QSettings& settings, GameMenu& menu, Hooks hooks)
    : m_window(window), m_settings(settings), m_menu(menu), m_hooks(std::move(hooks)) {}

void ViewSettings::CheckZoomStep() { m_menu.ShowZoom(m_zoom, AvailableArea()); }

bool ViewSettings::CanPlaceWindows() { return !QGuiApplication::platformName().startsWith(u"wayland"_s); }

QSize ViewSettings::AvailableArea() const {
  if (m_hooks.availableArea) return m_hooks.availableArea();
  const QScreen* shown = m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
  return shown ? shown->availableGeometry().size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void ViewSettings::SetZoom(qreal zoom) {
  m_zoom = ViewScale::Fitting(zoom, AvailableArea());
  CheckZoomStep();
  if (!m_fullScreen) {
    // Grows and shrinks about the window's centre, kept on its screen.
    const QPoint centre = m_window.geometry().center();
    const QSize size = ViewScale::WindowSize(m_zoom);
    m_window.setFixedSize(size);
    if (m_window.isVisible() && CanPlaceWindows())
      m_window.move(
          ViewScale::ClampOntoScreens(centre - QPoint(size.width() / 2, size.height() / 2), size, AvailableScreens()));
  }
  UpdatePicture();
  Remember();
}

void ViewSettings::SetFullScreen(bool on) {
  if (on == m_fullScreen) {
    m_menu.Check(Command::FullScreen, on);
    return;
  }
  if (m_hooks.beforeFullScreen) m_hooks.beforeFullScreen();
  m_fullScreen = on;
  if (on) {
    m_normalPosition = m_window.pos();
    m_window.setMinimumSize(0, 0);
    m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_window.setWindowState(m_window.windowState() | Qt::WindowFullScreen);
    // Without a window manager nobody acts on the full-screen state; the window
    // then covers its screen itself.
    if (CanPlaceWindows() && m_window.screen()) m_window.setGeometry(m_window.screen()->geometry());
  } else {
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowFullScreen);
    m_window.setFixedSize(ViewScale::WindowSize(m_zoom));
    if (CanPlaceWindows() && m_window.isVisible()) m_window.move(m_normalPosition);
  }
  m_menu.Check(Command::FullScreen, on);
  UpdatePicture();
  Remember();
}

void ViewSettings::Restore() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QVariant storedZoom = m_settings.value(kZoomKey);
  bool known = false;
  const qreal zoom = storedZoom.toReal(&known);
  // A zoom kept from a larger screen is brought down to what fits this one.
  if (known) m_zoom = ViewScale::Fitting(zoom, AvailableArea());
  else if (primary) m_zoom = ViewScale::FirstZoom(primary->availableGeometry().size());
  CheckZoomStep();
  const QSize size = ViewScale::WindowSize(m_zoom);
  m_window.setFixedSize(size);
  if (CanPlaceWindows() && primary) {
    const QVariant stored = m_settings.value(kPositionKey);
    if (stored.canConvert<QPoint>() && stored.isValid()) {
      m_window.move(ViewScale::ClampOntoScreens(stored.toPoint(), size, AvailableScreens()));
    } else {
      m_window.move(WindowPlacement(primary->availableGeometry(), size.width(), size.height()));
    }
  }
  if (m_settings.value(kFullScreenKey, false).toBool()) SetFullScreen(true);
  UpdatePicture();
}

void ViewSettings::Remember() {
  m_settings.setValue(kZoomKey, m_zoom);
  m_settings.setValue(kFullScreenKey, m_fullScreen);
  // Where the compositor places windows, a position means nothing next time.
  if (CanPlaceWindows() && !m_fullScreen && !m_window.isMinimized() && m_window.isVisible())
    m_settings.setValue(kPositionKey, m_window.pos());
}

void ViewSettings::UpdatePicture() {
  m_picture = ViewScale::Letterbox(m_window.size());
  if (m_hooks.pictureChanged) m_hooks.pictureChanged();
}

void ViewSettings::WindowMoved() {
  if (CanPlaceWindows() && !m_fullScreen && m_window.isVisible()) m_settings.setValue(kPositionKey, m_window.pos());
}

QPointF ViewSettings::ToLogical(QPointF point) const { return (point - m_picture.topLeft()) / Scale(); }

QRect ViewSettings::ToWindow(const QRect& logical) const {
  const qreal scale = Scale();
  const QRectF r(m_picture.topLeft() + QPointF(logical.topLeft()) * scale, QSizeF(logical.size()) * scale);
  return r.toAlignedRect();
}
