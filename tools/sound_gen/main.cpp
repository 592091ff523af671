// fartovik-sounds: renders every sound of the game.
//
//   fartovik-sounds [--out DIR] [CUE...]
//
// Each cue is written as DIR/<cue>.wav (16-bit mono PCM). Without names every cue
// is rendered; the output is the same on every run.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cues.h"

int main(int argc, char** argv) {
  std::string outDir = FARTOVIK_SOUNDS_DIR;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) outDir = argv[++i];
    else if (argv[i][0] == '-') {
      std::fprintf(stderr, "usage: fartovik-sounds [--out DIR] [CUE...]\n");
      return 2;
    } else only.emplace_back(argv[i]);
  }
  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  if (error) {
    std::fprintf(stderr, "cannot create %s: %s\n", outDir.c_str(), error.message().c_str());
    return 1;
  }
  int failures = 0;
  for (const snd::Cue& cue : snd::Cues()) {
    if (!only.empty() && std::find(only.begin(), only.end(), cue.name) == only.end()) continue;
    snd::Track track = cue.render();
    const double loudness = snd::Master(track, snd::kTargetDb, snd::kCeilingDb);
    const std::string path = outDir + "/" + cue.name + ".wav";
    if (!snd::WriteWav(track.s, path.c_str())) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
      continue;
    }
    std::printf("%-16s %6.2f s  %6.1f dB%s\n", cue.name.c_str(), track.Seconds(), loudness, track.loop ? "  loop" : "");
  }
  return failures == 0 ? 0 : 1;
}
