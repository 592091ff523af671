#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <functional>

// Small drawing toolkit shared by all sheets: canvases, soft glows, text as paths,
// the lozenge outline and colour arithmetic.
namespace art {

/// The scale sheets are drawn at: every canvas and layer has this many pixels per
/// unit of the game's 640 × 480 layout, while all drawing stays in layout units.
void SetScale(int scale);
int Scale();
/// The size of a canvas or layer in layout units.
int LogicalWidth(const QImage& img);
int LogicalHeight(const QImage& img);

/// Registers the bundled faces; false when one of them could not be read.
bool LoadFonts(const QString& fontDir);

enum class Face { Sans, Serif, Comic };

/// A font sized in pixels, so that the art does not depend on the screen's DPI.
QFont MakeFont(Face face, qreal pixelSize, bool bold, bool italic, int stretch = 100);

/// An opaque canvas (what every sheet finally is).
QImage Canvas(int width, int height, const QColor& fill = Qt::black);
/// A transparent layer for glows and soft shapes.
QImage Layer(int width, int height);

/// Gaussian-like blur of a premultiplied layer (three box passes each way).
void Blur(QImage& layer, qreal radius);

/// A painter with antialiasing switched on everywhere.
void Prepare(QPainter& painter);

/// Draws a blurred halo of `path` into `target`: filled when penWidth is 0,
/// otherwise the stroke of that width. The halo is added with Screen, so it only
/// ever lightens what is below it.
/// A soft shadow of `path` under whatever is drawn next: filled in `colour`, moved
/// by `offset`, blurred by `radius`, laid over `target` as it is.
void DropShadow(QImage& target, const QPainterPath& path, const QColor& colour, QPointF offset, qreal radius);
void Glow(QImage& target, const QPainterPath& path, const QColor& colour, qreal radius, qreal penWidth = 0,
          qreal strength = 1.0);

/// Text turned into a path and placed in `box`. Horizontal placement follows
/// `align`; vertically the ink of the text is centred, so digits and capitals sit
/// exactly in the middle.
QPainterPath TextPath(const QFont& font, const QString& text, const QRectF& box, Qt::Alignment align = Qt::AlignCenter);

/// An elongated hexagon pointed at the left and right ends.
QPainterPath Lozenge(qreal left, qreal right, qreal top, qreal bottom, qreal inset);
/// A diamond centred on `centre`.
QPainterPath Diamond(QPointF centre, qreal halfWidth, qreal halfHeight);

QColor Mix(const QColor& a, const QColor& b, qreal t);
QColor Scaled(const QColor& c, qreal factor);
QColor WithAlpha(const QColor& c, qreal alpha);

/// Builds a 1 × n sheet: `paintCell(cell, i)` draws cell i (0-based) into a fresh
/// black canvas of the cell size.
QImage StackCells(int width, int cellHeight, int count, const std::function<void(QImage&, int)>& paintCell);
/// Same with the cells side by side.
QImage RowOfCells(int cellWidth, int height, int count, const std::function<void(QImage&, int)>& paintCell);

/// Multiplies every pixel of `img` by `factor` (for dim versions of a picture).
void Darken(QImage& img, qreal factor);

}  // namespace art
