// Reading what the frame grabber (LD_PRELOAD into Wine, see tests/grabber) saw: the swap count
// and the saved frames. Wine shows nothing of GL drawn in a child window, so this is where the
// tests look at the picture.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

struct Frame {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom
  const uint8_t* Pixel(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// True when the test runs with the grabber (wine-run.sh with VORLUX_GRAB=1).
bool GrabberPresent();
// Swaps counted so far (0 before the first).
uint64_t SwapCount();
// The size of the drawable at the last swap (0 x 0 before the first).
struct DrawableSize {
  int width = 0, height = 0;
};
DrawableSize LastSwappedSize();
// Removes the swap count, the saved frames and the swap intervals, so that the next GL process
// starts the count anew.
void ForgetFrames();
// The swap intervals asked of GLX so far, in order.
std::vector<int> AskedSwapIntervals();
// The frame saved at the given swap (the grabber saves every tenth); false when there is none.
bool ReadFrame(uint64_t swapNumber, Frame* frame);
// Pumps this thread's messages until at least `swaps` swaps are counted or the time runs out.
bool WaitForSwaps(uint64_t swaps, unsigned timeoutMs);

struct FrameStats {
  int lit = 0;        // pixels that are not black
  int interior = 0;   // lit pixels whose four neighbours are lit too (solid areas, not lines)
  int colours = 0;    // distinct colours among the lit pixels
  double luminance = 0;  // summed over the lit pixels, 0 to 255 each (0.299 R + 0.587 G + 0.114 B)
  int inkRuns = 0;    // runs of columns with a lit pixel, left to right: a glyph each on an upright line
};
FrameStats Measure(const Frame& frame);
