#pragma once

#include <QString>

/// Removes the temporary files WriteFileWhole left beside the file at `path` when it
/// was killed before its rename. Only names of its own pattern go (see
/// IsWholeFileLeftover), and only while no other game holds the file's lock (see
/// BoardLock): a game writing right now owns its temporary file.
void RemoveSaveLeftovers(const QString& path);
