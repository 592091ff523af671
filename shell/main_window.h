#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "engine/game.h"
#include "engine/platform.h"
#include "screen/sharp_sheet_cache.h"
#include "shell/title_bar_clock.h"
#include "shell/view_scale.h"

class QLineEdit;
class QMenu;
class QAction;
class QActionGroup;
class QSettings;
class QTimer;
class InfoBox;
class AccessibleScreen;
class RandomSource;
class SoundOutput;
class TextMeasurer;

/// The main window: a frameless 640 × 480 view over the game's element
/// model, and the game's platform (clock, random numbers, message box, menu, window).
/// It holds no game logic: every event goes to `Game`, then the changed parts of the
/// model are repainted. Its jobs live in files of their own: events and painting in
/// main_window.cpp, the platform the game asks in window_platform.cpp, zoom, full
/// screen and placement in window_view.cpp.
class MainWindow : public QWidget, private Platform {
 public:
  /// What the window takes from outside; tests replace any of them.
  struct Services {
    QString programFolder;
    DataLocations locations;                ///< default: the program's folder only
    InfoBox* infoBox = nullptr;             ///< default: a QMessageBox
    RandomSource* random = nullptr;         ///< default: seeded once from the system
    std::function<double()> steadyClock;    ///< default: a monotonic clock, in seconds
    std::function<QString()> timeAndDate;   ///< default: the system clock, formatted
    bool startTimer = true;                 ///< false: the test calls Tick() itself
    SoundOutput* sound = nullptr;           ///< default: Qt Multimedia, silent with no audio device
    QString settingsFile;                   ///< the player's settings; default: the user's own
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
  QMenu* menu() const { return m_menu; }

  /// The view: zoom step (window size over 640 × 480), full screen, and where the
  /// 640 × 480 picture lies inside the window.
  qreal zoom() const { return m_zoom; }
  void SetZoom(qreal zoom);
  void SetFullScreen(bool on);
  bool fullScreen() const { return m_fullScreen; }
  QRectF pictureRect() const { return m_picture; }
  QMenu* zoomMenu() const { return m_zoomMenu; }
  QAction* fullScreenAction() const { return m_fullScreenAction; }

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
  // Platform.
  double SteadySeconds() override;
  RandomSource& Random() override { return *m_random; }
  InfoBox& MessageBox() override { return m_modalBox; }
  void PopupMenu(int x, int y) override;
  void Minimise() override;
  void RequestClose() override;
  bool WindowNormal() override;
  void MoveWindowBy(qreal dx, qreal dy) override;
  void FocusNameBox() override;
  SoundOutput& Sound() override;

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
  void BuildMenu();
  /// A menu item that carries out `command`, with the shortcut the key table shows for it.
  QAction* AddCommandItem(QMenu* menu, const QString& caption, Command command);
  /// Carries out a command of keys or menu: the view's here, the game's by the game.
  void Carry(Command command);
  /// The menu's sound switch, and the player's last choice put back.
  void AddSoundItem();
  /// Shows the sound switch as the game has it and keeps a changed choice.
  void SyncSound();
  void BuildViewMenu();
  /// A key for the view and the game, from the window or the name box.
  void PressKey(const QKeyEvent& event);
  /// Size, position and full screen as the settings keep them, at start-up.
  void RestoreView();
  void RememberView();
  /// Recomputes the picture's place after the window changed size.
  void UpdatePicture();
  qreal ViewScaleFactor() const { return m_picture.width() / ViewScale::kLogicalWidth; }
  QPointF ToLogical(QPointF point) const;
  QRect ToWindow(const QRect& logical) const;
  /// Whether the platform lets the program place its window (Wayland does not).
  static bool CanPlaceWindows();
  /// The zoom menu's tick on the current step; steps that do not fit the screen are off.
  void CheckZoomStep();
  /// The available area of the screen the window is on.
  QSize AvailableArea() const;
  void BuildNameBox();
  /// Font, colours and length limit of the name box, as the layout gives them.
  void StyleNameBox();

  /// The message box as the game sees it: a box that opens while a button is held
  /// takes that button's release, so the window lets go of the pointer first.
  class ModalBox : public InfoBox {
   public:
    explicit ModalBox(MainWindow& window) : m_window(window) {}
    Answer Show(const Message& message) override;

   private:
    MainWindow& m_window;
  };

  Services m_services;
  TitleBarClock m_titleBarClock{m_services.timeAndDate};
  ModalBox m_modalBox{*this};
  std::unique_ptr<TextMeasurer> m_measurer;
  std::unique_ptr<InfoBox> m_ownInfoBox;
  std::unique_ptr<RandomSource> m_ownRandom;
  InfoBox* m_infoBox = nullptr;
  RandomSource* m_random = nullptr;
  std::unique_ptr<Game> m_game;
  std::unique_ptr<SoundOutput> m_ownSound;
  SoundOutput* m_sound = nullptr;
  QAction* m_soundAction = nullptr;
  bool m_soundKept = true;  ///< the choice as the settings hold it
  QTimer* m_timer = nullptr;
  QLineEdit* m_nameBox = nullptr;
  std::unique_ptr<AccessibleScreen> m_accessible;
  QMenu* m_menu = nullptr;
  QAction* m_newGameAction = nullptr;
  QAction* m_winnersAction = nullptr;
  int m_nameBoxRevision = -1;
  std::optional<ElementId> m_captured;        ///< element holding the pointer while a button is down
  Qt::MouseButton m_captureButton = Qt::NoButton;  ///< the button that began the capture
  std::optional<ElementId> m_pressedCaption;  ///< caption a press began on, for the forwarded click
  bool m_pagePressed = false;  ///< a press began on the pages over the game

  // View.
  std::unique_ptr<QSettings> m_settings;
  qreal m_zoom = 1.0;
  /// The 640 × 480 picture, in window pixels.
  QRectF m_picture{0, 0, ViewScale::kLogicalWidth, ViewScale::kLogicalHeight};
  QMenu* m_zoomMenu = nullptr;
  QActionGroup* m_zoomGroup = nullptr;
  QAction* m_largerAction = nullptr;
  QAction* m_smallerAction = nullptr;
  QAction* m_fullScreenAction = nullptr;
  // Kept by the game itself: without a window manager the platform may report the
  // full-screen state as dropped while the window still covers the screen.
  bool m_fullScreen = false;
  QPoint m_normalPosition;  ///< where the window was before full screen
  SharpSheetCache m_sharpSheets;  ///< at the scale the window now paints
};
