// Reads the frame grabber's output from inside Wine (its directory reached through drive Z:).
#include "tests/win/frames.h"
#include "tests/host/render_host.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <set>

namespace {

std::string GrabDir() {
  const char* dir = getenv("VORLUX_GRAB_DIR");
  if (!dir || !*dir) return "";
  std::string path = std::string("Z:") + dir;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace

bool GrabberPresent() { return !GrabDir().empty(); }

// The grabber's "swaps" file: "count first_ns last_ns width height".
static bool ReadSwaps(unsigned long long* count, DrawableSize* size) {
  FILE* f = fopen((GrabDir() + "\\swaps").c_str(), "rb");
  if (!f) return false;
  unsigned long long first, last;
  bool ok = fscanf(f, "%llu %llu %llu %d %d", count, &first, &last, &size->width, &size->height) == 5;
  fclose(f);
  return ok;
}

uint64_t SwapCount() {
  unsigned long long count = 0;
  DrawableSize size;
  return ReadSwaps(&count, &size) ? count : 0;
}

DrawableSize LastSwappedSize() {
  unsigned long long count = 0;
  DrawableSize size;
  return ReadSwaps(&count, &size) ? size : DrawableSize();
}

void ForgetFrames() {
  std::string dir = GrabDir();
  if (dir.empty()) return;
  DeleteFileA((dir + "\\swaps").c_str());
  DeleteFileA((dir + "\\swap-intervals").c_str());
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\frame-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do DeleteFileA((dir + "\\" + found.cFileName).c_str());
  while (FindNextFileA(search, &found));
  FindClose(search);
}

std::vector<int> AskedSwapIntervals() {
  std::vector<int> intervals;
  FILE* f = fopen((GrabDir() + "\\swap-intervals").c_str(), "rb");
  if (!f) return intervals;
  char function[64];
  for (int interval; fscanf(f, "%d %63s", &interval, function) == 2;) intervals.push_back(interval);
  fclose(f);
  return intervals;
}

bool ReadFrame(uint64_t swapNumber, Frame* frame) {
  char name[64];
  snprintf(name, sizeof name, "\\frame-%06llu.ppm", static_cast<unsigned long long>(swapNumber));
  FILE* f = fopen((GrabDir() + name).c_str(), "rb");
  if (!f) return false;
  int maxval = 0;
  bool ok = fscanf(f, "P6 %d %d %d", &frame->width, &frame->height, &maxval) == 3 && maxval == 255 &&
            fgetc(f) != EOF;
  if (ok) {
    frame->rgb.resize(static_cast<size_t>(frame->width) * frame->height * 3);
    ok = fread(frame->rgb.data(), 1, frame->rgb.size(), f) == frame->rgb.size();
  }
  fclose(f);
  return ok;
}

bool WaitForSwaps(uint64_t swaps, unsigned timeoutMs) {
  DWORD start = GetTickCount();
  while (SwapCount() < swaps) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages(10);
  }
  return true;
}

FrameStats Measure(const Frame& frame) {
  FrameStats stats;
  std::set<uint32_t> colours;
  auto lit = [&](int x, int y) {
    const uint8_t* p = frame.Pixel(x, y);
    return p[0] | p[1] | p[2];
  };
  std::vector<bool> inked(frame.width);
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      if (!lit(x, y)) continue;
      inked[x] = true;
      ++stats.lit;
      const uint8_t* p = frame.Pixel(x, y);
      colours.insert(p[0] << 16 | p[1] << 8 | p[2]);
      stats.luminance += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
      if (x > 0 && y > 0 && x + 1 < frame.width && y + 1 < frame.height && lit(x - 1, y) && lit(x + 1, y) &&
          lit(x, y - 1) && lit(x, y + 1))
        ++stats.interior;
    }
  }
  for (int x = 0; x < frame.width; ++x) stats.inkRuns += inked[x] && (x == 0 || !inked[x - 1]);
  stats.colours = static_cast<int>(colours.size());
  return stats;
}
