// The arithmetic of a shot and of the output step, without the platform. Sizes with a
// border, scaled full screen and with an outside caption, and what each input type grabs, are
// checked end to end on the files the program writes.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "capture/capture_layout.h"
#include "capture/output_plan.h"
#include "capture/profile_values.h"
#include "capture/user_folders.h"

namespace kx {
namespace {

CaptureProfile Area(int left, int top, int right, int bottom) {
  CaptureProfile p;
  BuildDefaultProfile(p, UserPicturesFolder());
  p.InType = 2;
  p.InRect = {left, top, right, bottom};
  return p;
}

TEST(CaptureLayoutMath, SizesScalingAndCursorPosition) {
  // Rounding, and scaling needs both sides and the switch.
  CaptureProfile p = Area(0, 0, 101, 41);
  p.ScaStatus = 1;
  p.ScaWidth = 250;
  p.ScaHeight = 50;
  EXPECT_EQ(ComputeCaptureLayout(p).scaledWidth, 252);
  p.ScaWidth = 50;
  EXPECT_EQ(ComputeCaptureLayout(p).scaledWidth, 50) << "50 % of 101 pixels";
  p.ScaWidth = 0;
  EXPECT_FALSE(ComputeCaptureLayout(p).Scaled());
  const PixelSize size = GrabBitmapSize(ComputeCaptureLayout(p), 101, 41);
  EXPECT_EQ(size.width * 1000 + size.height, 101041);
  p.ScaWidth = 50;
  p.ScaStatus = 0;
  EXPECT_FALSE(ComputeCaptureLayout(p).Scaled());

  CaptureLayout layout;
  PixelPoint at = CursorDrawPosition(layout, {100, 50, 200, 100}, {130, 70});
  EXPECT_EQ(at.x * 1000 + at.y, 30020);
  layout.originX = layout.originY = 3;
  layout.scaledWidth = 100;
  layout.scaledHeight = 50;
  at = CursorDrawPosition(layout, {100, 50, 200, 100}, {130, 70});
  EXPECT_EQ(at.x * 1000 + at.y, 18013);
  EXPECT_EQ(CursorDrawPosition(layout, {100, 50, 200, 100}, {0, 0}).x, -47);
}

// Text drawn in its colour under the picture is checked end to end.
TEST(CaptionMath, BarAlphaRoundsAndTextPartsComeInFixedOrder) {
  CaptureProfile p = Area(0, 0, 1, 1);
  p.CapPosition = 0;
  for (auto [trans, alpha] : {std::pair{33u, 170}, {1u, 252}}) {
    p.CapTrans = trans;
    EXPECT_EQ(CaptionBarAlpha(p), alpha) << trans;
  }
  p.CapPosition = 1;
  p.CapTrans = 100;
  EXPECT_EQ(CaptionBarAlpha(p), 255) << "opaque outside";
  EXPECT_EQ(ToArgb(0x80, 0x203040), 0x80403020u) << "a COLORREF's red is its low byte";

  const CaptionParts parts{L"HOST", L"alice", L"04-12-26", L"14:05:09"};
  p.CapComputer = p.CapUser = 0;
  EXPECT_EQ(BuildCaptionText(p, parts), L"04-12-26  14:05:09  ");
  p.CapComputer = p.CapUser = 1;
  EXPECT_EQ(BuildCaptionText(p, parts), L"HOST  alice  04-12-26  14:05:09  ");
  p.CapDate = 0;
  EXPECT_EQ(BuildCaptionText(p, CaptionParts{L"", L"bob", L"x", L"1"}), L"  bob  1  ");
  p.CapComputer = p.CapUser = p.CapTime = 0;
  EXPECT_EQ(BuildCaptionText(p, parts), L"");
}

// Names, and the next counter for a taken name, are checked end to end; here the probing order.
TEST(OutputNaming, CounterProbesInOrderAndNeverProbes98) {
  std::vector<int> probed;
  auto takenBelow = [&](int limit) {
    probed.clear();
    return ChooseFileCounter([&](int n) { return probed.push_back(n), n < limit; });
  };
  EXPECT_EQ(takenBelow(5), 5);
  EXPECT_EQ(probed, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(takenBelow(1000), 98);
  EXPECT_EQ(probed.size(), 98u);  // 00..97 probed; 98 is used whatever it holds
}

}  // namespace
}  // namespace kx
