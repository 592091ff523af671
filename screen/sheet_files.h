#pragma once

#include <QImage>
#include <QString>

/// Resource path of the sprite sheet drawn for `element` (":/art/background.bmp" …),
/// or an empty string for an element without a sheet of its own: the poll bars
/// 30 … 32 (they paint from element 29's sheet), the spare slots 51 … 55 and any
/// index outside 0 … 55.
QString SheetResource(int element);

/// The sheet of `element` as stored with the program; a null image when the
/// element has no sheet of its own.
QImage LoadSheet(int element);
