// Which monitors get a cover: every one but the saver window's, wherever it lies.
#include "host/monitor_covers.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Describe(const std::vector<ScreenRect>& rects) {
  std::string text;
  for (const ScreenRect& r : rects)
    text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
            std::to_string(r.bottom) + ") ";
  return text.empty() ? "none" : text;
}

constexpr ScreenRect Primary = {0, 0, 1024, 768};

TEST(MonitorCovers, EveryMonitorButTheSaverWindowsWhereverItLies) {
  const struct {
    const char* layout;
    std::vector<ScreenRect> monitors, covers;
  } cases[] = {
      {"one monitor", {Primary}, {}},
      {"right", {Primary, {1024, 0, 1824, 600}}, {{1024, 0, 1824, 600}}},
      {"below", {Primary, {0, 768, 800, 1368}}, {{0, 768, 800, 1368}}},
      {"left", {Primary, {-1280, -100, 0, 924}}, {{-1280, -100, 0, 924}}},
      {"above", {{0, -600, 800, 0}, Primary}, {{0, -600, 800, 0}}},
      {"three, one left and above",
       {{-800, -600, 0, 0}, Primary, {1024, 0, 2048, 768}},
       {{-800, -600, 0, 0}, {1024, 0, 2048, 768}}},
      {"a mirror of the primary", {Primary, {0, 0, 1024, 768}, {0, 0, 800, 600}}, {}},
      {"two mirrored secondaries", {Primary, {1024, 0, 1824, 600}, {1024, 0, 1824, 600}}, {{1024, 0, 1824, 600}}},
      {"no area", {Primary, {1024, 0, 1024, 600}, {1024, 0, 1824, -5}}, {}},
      // The primary grew while the saver window kept its size: the rest of it is covered too.
      {"primary grown", {{0, 0, 1280, 1024}, {1280, 0, 2080, 600}}, {{0, 0, 1280, 1024}, {1280, 0, 2080, 600}}},
  };
  for (const auto& c : cases) {
    ScreenRect covers[MaxMonitors];
    int32_t count = MonitorCovers(c.monitors.data(), static_cast<int32_t>(c.monitors.size()), Primary, covers,
                                  MaxMonitors);
    EXPECT_EQ(Describe(c.covers), Describe(std::vector<ScreenRect>(covers, covers + count))) << c.layout;
  }
}

TEST(MonitorCovers, NeverMoreThanTheCapacity) {
  std::vector<ScreenRect> monitors;
  for (int32_t i = 1; i <= 5; ++i) monitors.push_back({1024 * i, 0, 1024 * (i + 1), 768});
  ScreenRect covers[3];
  EXPECT_EQ(3, MonitorCovers(monitors.data(), 5, Primary, covers, 3));
  EXPECT_EQ(Describe({monitors[0], monitors[1], monitors[2]}), Describe({covers[0], covers[1], covers[2]}));
  EXPECT_EQ(0, MonitorCovers(monitors.data(), 5, Primary, covers, 0));
}

}  // namespace
