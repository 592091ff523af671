#pragma once

#include <QPoint>
#include <QRectF>
#include <QSize>

#include <functional>

#include "shell/view_scale.h"

class GameMenu;
class QSettings;
class QWidget;

/// How the window shows the game: its zoom step (window size over 640 × 480), full
/// screen, where the 640 × 480 picture lies inside the window, and where the window
/// stands on the desktop, all kept in the player's settings between runs.
class ViewSettings {
 public:
  struct Hooks {
    /// The room a window has on its screen; empty: the available area of the
    /// window's screen.
    std::function<QSize()> availableArea;
    /// Called before the window leaves or enters full screen.
    std::function<void()> beforeFullScreen;
    /// The picture moved or changed its scale inside the window.
    std::function<void()> pictureChanged;
  };

  ViewSettings(QWidget& window, QSettings& settings, GameMenu& menu, Hooks hooks);

  qreal zoom() const { return m_zoom; }
  bool fullScreen() const { return m_fullScreen; }
  QRectF picture() const { return m_picture; }
  /// Window pixels per unit of the game's 640 × 480.
  qreal Scale() const { return m_picture.width() / ViewScale::kLogicalWidth; }

  void SetZoom(qreal zoom);
  void SetFullScreen(bool on);
  /// Size, position and full screen as the settings keep them, at start-up.
  void Restore();
  void Remember();
  /// Recomputes the picture's place after the window changed size.
  void UpdatePicture();
  /// The window moved: its new place is kept.
  void WindowMoved();
  /// The zoom submenu's tick on the current step; steps that do not fit the screen are off.
  void CheckZoomStep();

  QPointF ToLogical(QPointF point) const;
  QRect ToWindow(const QRect& logical) const;
  /// Whether the platform lets the program place its window (Wayland does not).
  static bool CanPlaceWindows();

 private:
  /// The available area of the screen the window is on.
  QSize AvailableArea() const;

  QWidget& m_window;
  QSettings& m_settings;
  GameMenu& m_menu;
  Hooks m_hooks;
  qreal m_zoom = 1.0;
  /// The 640 × 480 picture, in window pixels.
  QRectF m_picture{0, 0, ViewScale::kLogicalWidth, ViewScale::kLogicalHeight};
  // Kept by the game itself: without a window manager the platform may report the
  // full-screen state as dropped while the window still covers the screen.
  bool m_fullScreen = false;
  QPoint m_normalPosition;  ///< where the window was before full screen
};
