#pragma once

class QKeyEvent;

/// The virtual-key code the game's key table knows for a Qt key event, or 0.
/// Letters are matched by the key that carries them in the Latin layout, so the
/// shortcuts also work while a Russian layout is active.
int VirtualKeyCode(const QKeyEvent& event);
