#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "data/info_box.h"
#include "engine/platform.h"

class GameMenu;
class QLineEdit;
class QWidget;
class RandomSource;
class SoundOutput;
class ViewSettings;

/// The machine and the window as the game asks for them: the clock, random numbers,
/// the message box, the sound, the popup menu and the window's own moves.
class WindowPlatform : public Platform {
 public:
  /// What comes from outside; anything left empty is the machine's own.
  struct Sources {
    InfoBox* infoBox = nullptr;           ///< default: a QMessageBox
    RandomSource* random = nullptr;       ///< default: seeded once from the system
    std::function<double()> steadyClock;  ///< default: a monotonic clock, in seconds
    SoundOutput* sound = nullptr;         ///< default: Qt Multimedia, silent with no audio device
  };
  /// The window's parts the platform acts on.
  struct Window {
    QWidget& widget;
    ViewSettings& view;
    GameMenu& menu;
    QLineEdit& nameBox;
    /// Lets go of a press the window still holds: a box or menu that opens now
    /// takes the button's release.
    std::function<void()> letGoOfPointer;
    /// Brings the window up to date with the game's model.
    std::function<void()> catchUp;
  };

  WindowPlatform(const Sources& sources, Window window);
  ~WindowPlatform() override;
  WindowPlatform(const WindowPlatform&) = delete;
  WindowPlatform& operator=(const WindowPlatform&) = delete;

  double SteadySeconds() override;
  RandomSource& Random() override { return *m_random; }
  InfoBox& MessageBox() override { return m_modalBox; }
  void PopupMenu(int x, int y) override;
  void Minimise() override;
  void RequestClose() override;
  bool WindowNormal() override;
  void MoveWindowBy(qreal dx, qreal dy) override;
  void FocusNameBox() override;
  SoundOutput& Sound() override { return *m_sound; }

 private:
  /// The message box as the game sees it: a box that opens while a button is held
  /// takes that button's release, so the window lets go of the pointer first.
  class ModalBox : public InfoBox {
   public:
    explicit ModalBox(WindowPlatform& platform) : m_platform(platform) {}
    Answer Show(const Message& message) override;

   private:
    WindowPlatform& m_platform;
  };

  Window m_window;
  std::function<double()> m_steadyClock;
  ModalBox m_modalBox{*this};
  std::unique_ptr<InfoBox> m_ownInfoBox;
  std::unique_ptr<RandomSource> m_ownRandom;
  std::unique_ptr<SoundOutput> m_ownSound;
  InfoBox* m_infoBox = nullptr;
  RandomSource* m_random = nullptr;
  SoundOutput* m_sound = nullptr;
};
