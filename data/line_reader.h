#pragma once

#include <QIODevice>
#include <array>
#include <cstring>

/// Splits the bytes of a device into lines that end at CR LF, handing each line to
/// `sink` in pieces (sink.Bytes(data, size) any number of times, then sink.EndLine())
/// so that a line of any length costs one fixed buffer. A lone CR or LF is part of
/// its line. The last line needs no CR LF; nothing after a final CR LF is a line.
/// A read error ends the file there.
template <class Sink>
void ReadLines(QIODevice& device, Sink& sink) {
  std::array<char, 64 * 1024> buffer;
  bool pendingCr = false;  // the previous block ended in CR: a line end if LF follows
  bool lineOpen = false;   // the current line has had bytes (a CR counts)
  for (;;) {
    const qint64 got = device.read(buffer.data(), qint64(buffer.size()));
    if (got <= 0) break;
    const char* p = buffer.data();
    const char* end = p + got;
    if (pendingCr) {
      pendingCr = false;
      if (*p == '\n') {
        sink.EndLine();
        lineOpen = false;
        ++p;
      } else {
        sink.Bytes("\r", 1);
      }
    }
    while (p < end) {
      const auto* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
      if (!lf) {
        const char* stop = end;
        if (end[-1] == '\r') {
          pendingCr = true;
          --stop;
        }
        if (stop > p) sink.Bytes(p, stop - p);
        lineOpen = true;
        break;
      }
      if (lf > p && lf[-1] == '\r') {
        if (lf - 1 > p) sink.Bytes(p, lf - 1 - p);
        sink.EndLine();
        lineOpen = false;
      } else {
        // A lone LF stays in the line.
        sink.Bytes(p, lf + 1 - p);
        lineOpen = true;
      }
      p = lf + 1;
    }
  }
  if (pendingCr) sink.Bytes("\r", 1);
  if (lineOpen || pendingCr) sink.EndLine();
}
