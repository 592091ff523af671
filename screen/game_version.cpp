#include "screen/game_version.h"

#define FARTOVIK_STR2(x) #x
#define FARTOVIK_STR(x) FARTOVIK_STR2(x)

QString GameVersion() {
  return QStringLiteral(FARTOVIK_STR(FARTOVIK_VERSION_MAJOR) "." FARTOVIK_STR(FARTOVIK_VERSION_MINOR) "." FARTOVIK_STR(
      FARTOVIK_VERSION_PATCH));
}
