#pragma once

class QKeyEvent;

/// The key of a Qt key event as the game's key table knows it: the digit keys by
/// their place on the keyboard where the platform tells it, and a letter the event
/// names only by its text by that letter's key.
int KeyOf(const QKeyEvent& event);
