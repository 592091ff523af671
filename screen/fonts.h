#pragma once

#include <QFont>

#include "screen/text_measurer.h"

/// Registers the fonts that travel inside the program; later calls do nothing.
/// Needs a QGuiApplication.
void RegisterBundledFonts();

/// The one QFont for a caption font, used for measuring and for painting alike.
/// The layout's Windows face names map onto the bundled fonts (unknown faces take
/// the sans face), and points become pixels at 96 dpi, so text measures and looks
/// the same whatever screen it is shown on.
QFont ToQFont(const CaptionFont& font);

/// Pixel size of a size in points at 96 dpi, as `ToQFont` sets it.
int CaptionPixelSize(qreal points);

/// Text flags for a caption's alignment: word wrap, top-aligned, horizontal as asked.
int CaptionTextFlags(CaptionAlign alignment);

/// Caption text as laid out: CR LF and lone CR break lines like LF does.
QString CaptionLayoutText(const QString& text);
