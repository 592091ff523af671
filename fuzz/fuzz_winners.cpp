#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString failure = fuzz::Winners(data, size);
  if (!failure.isEmpty()) {
    std::fprintf(stderr, "%s\n", failure.toUtf8().constData());
    std::abort();
  }
  return 0;
}
