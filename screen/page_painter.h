#pragma once

#include <memory>

class QPainter;
class QTextDocument;
class PageView;
struct InfoPage;

/// The body of a page laid out at the width of its box, in the game's fonts and
/// colours: what the painter draws and what tells whether a page fits.
std::unique_ptr<QTextDocument> PageBodyDocument(const InfoPage& page);

/// Paints the current page over the game, with its title and the footer that
/// counts the pages and says how to turn and close them.
void PaintPage(QPainter& painter, const PageView& pages);
