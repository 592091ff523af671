#pragma once

#include <QString>

/// "0.99.19": the version the build gives the game.
QString GameVersion();
