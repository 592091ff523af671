// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

#include <memory>

#include "data/answer_time.h"

/// The player's own choices (view, sound, …), kept between runs in
/// "$XDG_CONFIG_HOME/fartovik/fartovik.ini". Tests point XDG_CONFIG_HOME (or
/// QStandardPaths' test mode) elsewhere, or hand the window a file of their own.
///
/// When the file, its lock, or the lock that guards taking that lock over is not an
/// ordinary file (a pipe, a folder, a link to nothing), the settings would block the
/// game in an open(); they are then kept for this run only.
std::unique_ptr<QSettings> OpenPlayerSettings(const QString& file = {});
/// "$XDG_CONFIG_HOME/fartovik/fartovik.ini".
QString PlayerSettingsPath();

/// The player's time to answer as the settings keep it; the game's own limits when
/// nothing, or nothing this game knows, is kept.
AnswerTime StoredAnswerTime(const QSettings& settings);
void StoreAnswerTime(QSettings& settings, AnswerTime time);
