// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/player_settings.h"

std::unique_ptr<QSettings> OpenPlayerSettings(const QString& file) {
  // No organisation name: it would double the folder ("fartovik/fartovik").
  if (!file.isEmpty()) return std::make_unique<QSettings>(file, QSettings::IniFormat);
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("fartovik"),
                                     QStringLiteral("fartovik"));
}
