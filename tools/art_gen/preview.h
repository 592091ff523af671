#pragma once

#include <QString>

namespace art {

/// Composes whole-window pictures from the sheets in `sheetDir` (as the game would
/// show them, with stand-in captions) and writes them as PNG files into `outDir`.
bool WritePreviews(const QString& sheetDir, const QString& outDir);

}  // namespace art
