#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "engine/game.h"
#include "screen/sharp_sheet_cache.h"
#include "shell/game_menu.h"
#include "shell/title_bar_clock.h"
#include "shell/view_settings.h"
#include "shell/window_platform.h"

class QLineEdit;
class QMenu;
class QAction;
class QSettings;
class QTimer;
class InfoBox;
class AccessibleScreen;
class RandomSource;
class SoundOutput;
class TextMeasurer;

/// The main window: a frameless 640 × 480 view over the game's element model. It
/// holds no game logic: every event goes to `Game`, then the changed parts of the
/// model are repainted. It puts together the parts that each do one job: the menu
/// (`GameMenu`), zoom, full screen and placement (`ViewSettings`), and the machine
/// as the game asks for it (`WindowPlatform`).
class MainWindow : public QWidget {
 public:
  /// What the window takes from outside; tests replace any of them.
  struct Services {
    QString programFolder;
    DataLocations locations;               ///< default: the program's folder only
    InfoBox* infoBox = nullptr;            ///< default: a QMessageBox
    RandomSource* random = nullptr;        ///< default: seeded once from the system
    std::function<double()> steadyClock;   ///< default: a monotonic clock, in seconds
    std::function<QString()> timeAndDate;  ///< default: the system clock, formatted
    bool startTimer = true;                ///< false: the test calls Tick() itself
    SoundOutput* sound = nullptr;          ///< default: Qt Multimedia, silent with no audio device
    QString settingsFile;                  ///< the player's settings; default: the user's own
    GameHistory* history = nullptr;        ///< default: the history file beside the leaderboard
    /// The room a window has on its screen; default: the available area of the
    /// window's screen (tests stand in for screens they do not have).
    std::function<QSize()> availableArea;
  };

  explicit MainWindow(Services services, QWidget* parent = nullptr);
  ~MainWindow() override;

  /// Start-up: builds the screen, loads the bases, shows the start screen, places
  /// the window and starts the tick. Call once, before show().
  void Start();
  /// One 100 ms tick.
  void Tick();

  Game& game() { return *m_game; }
  QLineEdit* nameBox() const { return m_nameBox; }
  QMenu* menu() const { return m_menu->menu(); }

  /// The view: zoom step (window size over 640 × 480), full screen, and where the
  /// 640 × 480 picture lies inside the window.
  qreal zoom() const { return m_view->zoom(); }
  void SetZoom(qreal zoom) { m_view->SetZoom(zoom); }
  void SetFullScreen(bool on) { m_view->SetFullScreen(on); }
  bool fullScreen() const { return m_view->fullScreen(); }
  QRectF pictureRect() const { return m_view->picture(); }
  QMenu* zoomMenu() const { return m_menu->zoomMenu(); }
  QAction* fullScreenAction() const { return m_menu->Item(Command::FullScreen); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  /// Runs a game handler, then brings the view up to date with the model.
  void Run(const std::function<void()>& handler);
  void SyncView();
  /// The element that gets pointer events at a window point: disabled elements
  /// pass them to the background.
  ElementId PointerTarget(QPointF point) const;
  ElementId EnabledOrBackground(ElementId index) const;
  QPointF Relative(ElementId index, QPointF point) const;
  /// Ends a press the window still holds (title drag, thumb drag, pressed caption)
  /// without a click: its button is up, or something modal took its release.
  void EndPointerCapture();
  /// Carries out a command of keys or menu: the view's here, the game's by the game.
  void Carry(Command command);
  /// The player's last sound choice, put back before start-up.
  void RestoreSound();
  /// Shows the sound switch as the game has it and keeps a changed choice.
  void SyncSound();
  /// A key for the view and the game, from the window or the name box.
  void PressKey(const QKeyEvent& event);
  /// The picture moved or changed scale: the name box and the view follow.
  void PictureChanged();
  void BuildNameBox();
  /// Font, colours and length limit of the name box, as the layout gives them.
  void StyleNameBox();

  Services m_services;
  TitleBarClock m_titleBarClock{m_services.timeAndDate};
  std::unique_ptr<TextMeasurer> m_measurer;
  std::unique_ptr<QSettings> m_settings;
  QLineEdit* m_nameBox = nullptr;
  std::unique_ptr<GameMenu> m_menu;
  std::unique_ptr<ViewSettings> m_view;
  std::unique_ptr<WindowPlatform> m_platform;
  std::unique_ptr<GameHistory> m_ownHistory;
  std::unique_ptr<Game> m_game;
  bool m_soundKept = true;  ///< the choice as the settings hold it
  QTimer* m_timer = nullptr;
  std::unique_ptr<AccessibleScreen> m_accessible;
  int m_nameBoxRevision = -1;
  std::optional<ElementId> m_captured;             ///< element holding the pointer while a button is down
  Qt::MouseButton m_captureButton = Qt::NoButton;  ///< the button that began the capture
  std::optional<ElementId> m_pressedCaption;       ///< caption a press began on, for the forwarded click
  bool m_pagePressed = false;                      ///< a press began on the pages over the game
  SharpSheetCache m_sharpSheets;                   ///< at the scale the window now paints
};
