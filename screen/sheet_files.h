#pragma once

#include <QImage>
#include <QString>

#include "screen/element_id.h"

/// Resource path of the sprite sheet drawn for `element` (":/art/background.bmp" …),
/// or an empty string for an element without a sheet of its own: the poll bars
/// below A, which paint from bar A's sheet.
QString SheetResource(ElementId element);

/// The sheet of `element` as stored with the program, as 32-bit RGB; a null image
/// when the element has no sheet of its own.
QImage LoadSheet(ElementId element);

/// The sheet of `element` drawn at `scale` times its size, when the program
/// carries one that was drawn from the very 1× sheet it has now; otherwise a null
/// image. A 1× sheet replaced by someone's own picture thus never meets a sharper
/// copy of the old art.
QImage LoadSharpSheet(ElementId element, qreal scale = 2.0);

/// A sheet file's bytes as 32-bit RGB, as the general image reader would give them;
/// a null image when they hold no bitmap. The art's plain 24-bit bitmaps are
/// unpacked in one pass, straight from the bytes.
QImage DecodeSheet(QByteArrayView bytes);

/// File name of the sharper copy of a sheet file: "name@2x.bmp" for "name.bmp".
QString SharpSheetName(const QString& sheetFile, int scale = 2);

/// Fingerprint of a 1× sheet file's bytes, as the list of sharper sheets keeps it.
QByteArray SheetFingerprint(QByteArrayView bytes);
