// The arithmetic of a shot and the decisions of the output step, without the platform. Sizes
// with a border, scaled and with an outside caption, and what each input type grabs, are
// checked end to end on the files the program writes.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
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
  CaptureProfile p = Area(10, 20, 210, 120);
  p.BorStatus = p.CapStatus = 1;
  p.BorWidth = 2;
  p.CapPosition = 0;  // inside: no strip
  PixelSize size = GrabBitmapSize(ComputeCaptureLayout(p), 200, 100);
  EXPECT_EQ(size.width * 1000 + size.height, 204104);
  // Scaling needs both sides, an area and the switch; full screen scales the screen's size.
  p = Area(0, 0, 101, 41);
  p.ScaStatus = 1;
  p.ScaWidth = 250;
  p.ScaHeight = 50;
  EXPECT_EQ(ComputeCaptureLayout(p).scaledWidth, 252);
  p.ScaWidth = 50;
  EXPECT_EQ(ComputeCaptureLayout(p).scaledWidth, 50) << "50 % of 101 pixels";
  p.ScaWidth = 0;
  EXPECT_FALSE(ComputeCaptureLayout(p).Scaled());
  size = GrabBitmapSize(ComputeCaptureLayout(p), 101, 41);
  EXPECT_EQ(size.width * 1000 + size.height, 101041);
  p.ScaWidth = 50;
  p.ScaStatus = 0;
  EXPECT_FALSE(ComputeCaptureLayout(p).Scaled());
  p = Area(0, 0, 0, 0);
  p.InType = p.ScaStatus = 1;
  p.ScaWidth = 50;
  p.ScaHeight = 25;
  const CaptureLayout full = ComputeCaptureLayout(p, {1920, 1080});
  EXPECT_EQ(full.scaledWidth * 1000 + full.scaledHeight, 960270);

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

// Wine's encoder ignores the quality, so only what is asked for can be checked.
TEST(OutputEncoderParameters, OnlyJpegAsksForItsQuality) {
  EncoderParameterBlock block;
  const Gdiplus::EncoderParameters* list = block.Build(2, 40);
  ASSERT_TRUE(list && list->Count == 1u);
  const Gdiplus::EncoderParameter& q = list->Parameter[0];
  EXPECT_TRUE(IsEqualGUID(q.Guid, kEncoderQualityId));
  EXPECT_EQ(q.NumberOfValues * 10 + q.Type, 14u);  // one long
  EXPECT_EQ(*static_cast<const LONG*>(q.Value), 40);
  EXPECT_EQ(block.Build(0, 50), nullptr);
  EXPECT_EQ(block.Build(1, 50), nullptr);
}

TEST(OutputFinishingActions, SoundThenViewThenEditAndNothingToOpenForTheClipboard) {
  CaptureProfile p = Area(0, 0, 1, 1);
  std::memcpy(p.SetStorageFolder, u"C:\\shots", 18);
  std::memcpy(p.OutLastName, u"\\KEST.png", 20);
  const struct {
    uint32_t outType, sound, view, edit;
    const wchar_t* planned;
  } cases[] = {
      {0, 1, 1, 1, L"kest.wav 20001; open C:\\shots\\KEST.png; edit C:\\shots\\KEST.png; "},
      {1, 1, 1, 1, L"kest.wav 20001; "},  // the clipboard: nothing to open
      {1, 0, 1, 1, L""},
      {0, 0, 0, 1, L"edit C:\\shots\\KEST.png; "}};
  for (const auto& c : cases) {
    p.OutType = c.outType, p.OptSound = c.sound, p.OptView = c.view, p.OptEdit = c.edit;
    std::wstring planned;
    for (const FinishingAction& a : PlanFinishingActions(p)) {
      std::wstringstream text;
      if (a.kind == FinishingAction::Kind::Sound)
        text << a.target << L" " << std::hex << a.soundFlags << L"; ";
      else
        text << a.verb << L" " << a.target << L"; ";
      planned += text.str();
    }
    EXPECT_EQ(planned, c.planned);
  }
}

}  // namespace
}  // namespace kx
