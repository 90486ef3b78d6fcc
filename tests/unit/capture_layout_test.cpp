// The arithmetic of a shot and the decisions of the output step, without the platform.
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

// Sizes with a border, an outside caption and 50 % of 101 pixels are checked on real grabs.
TEST(CaptureLayoutMath, InsideCaptionAddsNoStrip) {
  CaptureProfile p = Area(10, 20, 210, 120);
  p.BorStatus = p.CapStatus = 1;
  p.BorWidth = 2;
  p.CapPosition = 0;
  PixelSize size = GrabBitmapSize(ComputeCaptureLayout(p), 200, 100);
  EXPECT_EQ(size.width, 204);
  EXPECT_EQ(size.height, 104);
}

TEST(CaptureLayoutMath, ScalingNeedsBothSidesAnAreaAndTheSwitch) {
  CaptureProfile p = Area(0, 0, 101, 41);
  p.ScaStatus = 1;
  p.ScaWidth = 250;
  p.ScaHeight = 50;
  EXPECT_EQ(ComputeCaptureLayout(p).scaledWidth, 252);
  p.ScaWidth = 0;  // one side zero: the copy is unscaled
  CaptureLayout layout = ComputeCaptureLayout(p);
  EXPECT_FALSE(layout.Scaled());
  EXPECT_EQ(GrabBitmapSize(layout, 101, 41).width, 101);
  EXPECT_EQ(GrabBitmapSize(layout, 101, 41).height, 41);
  p.ScaWidth = 50;
  p.ScaStatus = 0;
  EXPECT_FALSE(ComputeCaptureLayout(p).Scaled());
  // Full screen has an empty InRect: the percentages apply to the screen's size.
  CaptureProfile full = Area(0, 0, 0, 0);
  full.InType = 1;
  full.ScaStatus = 1;
  full.ScaWidth = 50;
  full.ScaHeight = 25;
  const CaptureLayout fullLayout = ComputeCaptureLayout(full, {1920, 1080});
  EXPECT_EQ(fullLayout.scaledWidth, 960);
  EXPECT_EQ(fullLayout.scaledHeight, 270);
}

TEST(CaptureLayoutMath, GrabAreaByInputType) {
  CaptureProfile p = Area(-100, 5, 300, 205);
  for (uint32_t type : {0u, 2u}) {
    p.InType = type;
    auto area = GrabAreaFor(p);
    ASSERT_TRUE(area);
    EXPECT_EQ(area->x, -100);
    EXPECT_EQ(area->y, 5);
    EXPECT_EQ(area->width, 400);
    EXPECT_EQ(area->height, 200);
  }
  p.InType = 1;
  auto full = GrabAreaFor(p);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->x | full->y | full->width | full->height, 0);
  p.InType = 3;
  EXPECT_FALSE(GrabAreaFor(p));
}

TEST(CaptureLayoutMath, CursorFollowsTheContentOriginAndScale) {
  CaptureLayout layout;
  PixelPoint at = CursorDrawPosition(layout, {100, 50, 200, 100}, {130, 70});
  EXPECT_EQ(at.x, 30);
  EXPECT_EQ(at.y, 20);
  layout.originX = layout.originY = 3;
  layout.scaledWidth = 100;
  layout.scaledHeight = 50;
  at = CursorDrawPosition(layout, {100, 50, 200, 100}, {130, 70});
  EXPECT_EQ(at.x, 18);
  EXPECT_EQ(at.y, 13);
  at = CursorDrawPosition(layout, {100, 50, 200, 100}, {0, 0});  // outside: no failure
  EXPECT_EQ(at.x, -47);
}

// Transparency 0, 20 and 100 and the bar geometry are checked on real grabs.
TEST(CaptionMath, BarAlphaRoundsAndIsOpaqueOutside) {
  CaptureProfile p = Area(0, 0, 1, 1);
  p.CapPosition = 0;
  for (auto [trans, alpha] : {std::pair{33u, 170}, {1u, 252}}) {
    p.CapTrans = trans;
    EXPECT_EQ(CaptionBarAlpha(p), alpha) << trans;
  }
  p.CapPosition = 1;
  p.CapTrans = 100;
  EXPECT_EQ(CaptionBarAlpha(p), 255);
}

TEST(CaptionMath, TextPartsInFixedOrderEachWithTwoSpaces) {
  CaptureProfile p = Area(0, 0, 1, 1);
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

// Names and the counter's results are checked on real files; here only the probing order.
TEST(OutputNaming, CounterProbesInOrderAndNeverProbes98) {
  std::vector<int> probed;
  EXPECT_EQ(ChooseFileCounter([&](int n) {
              probed.push_back(n);
              return n < 5;
            }),
            5);
  EXPECT_EQ(probed, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  probed.clear();
  EXPECT_EQ(ChooseFileCounter([&](int n) {
              probed.push_back(n);
              return true;
            }),
            98);
  EXPECT_EQ(probed.size(), 98u);  // 00..97 probed; 98 is used whatever it holds
}

TEST(OutputStatus, GdiplusResultsMapToEngineStatuses) {
  EXPECT_EQ(MapSaveStatus(Gdiplus::Ok), 0u);
  EXPECT_EQ(MapSaveStatus(Gdiplus::AccessDenied), 0xC001u);
  EXPECT_EQ(MapSaveStatus(Gdiplus::OutOfMemory), 0xC100u);
  for (auto other : {Gdiplus::GenericError, Gdiplus::InvalidParameter, Gdiplus::Win32Error,
                     Gdiplus::FileNotFound, Gdiplus::UnknownImageFormat})
    EXPECT_EQ(MapSaveStatus(other), 0xC201u) << other;
}

TEST(OutputEncoderParameters, JpegQualityIsPassedThroughUnchanged) {
  for (uint32_t quality : {0u, 40u, 100u}) {
    EncoderParameterBlock block;
    const Gdiplus::EncoderParameters* list = block.Build(2, quality);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count, 1u);
    const Gdiplus::EncoderParameter& p = list->Parameter[0];
    EXPECT_TRUE(IsEqualGUID(p.Guid, kEncoderQualityId));
    EXPECT_EQ(p.NumberOfValues, 1u);
    EXPECT_EQ(p.Type, 4u);  // long
    EXPECT_EQ(*static_cast<const LONG*>(p.Value), LONG(quality));
  }
  // The well-known identifier of the quality parameter.
  const GUID quality = {
      0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};
  EXPECT_TRUE(IsEqualGUID(kEncoderQualityId, quality));
  EncoderParameterBlock none;
  EXPECT_EQ(none.Build(0, 50), nullptr);
  EXPECT_EQ(none.Build(1, 50), nullptr);
}

TEST(FinishingActions, SoundThenViewThenEditAndNothingToOpenForTheClipboard) {
  CaptureProfile p = Area(0, 0, 1, 1);
  const std::u16string folder = u"C:\\shots";
  std::memcpy(p.SetStorageFolder, folder.c_str(), (folder.size() + 1) * 2);
  const std::u16string name = u"\\KEST.png";
  std::memcpy(p.OutLastName, name.c_str(), (name.size() + 1) * 2);
  p.OptSound = p.OptView = p.OptEdit = 1;
  p.OutType = 0;
  auto actions = PlanFinishingActions(p);
  ASSERT_EQ(actions.size(), 3u);
  EXPECT_EQ(actions[0].kind, FinishingAction::Kind::Sound);
  EXPECT_EQ(actions[0].target, L"kest.wav");
  EXPECT_EQ(actions[0].soundFlags, 0x20001u);
  EXPECT_EQ(actions[1].kind, FinishingAction::Kind::Shell);
  EXPECT_STREQ(actions[1].verb, L"open");
  EXPECT_EQ(actions[1].target, L"C:\\shots\\KEST.png");
  EXPECT_STREQ(actions[2].verb, L"edit");
  EXPECT_EQ(actions[2].target, L"C:\\shots\\KEST.png");

  p.OutType = 1;  // clipboard: only the sound
  actions = PlanFinishingActions(p);
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].kind, FinishingAction::Kind::Sound);
  p.OptSound = 0;
  EXPECT_TRUE(PlanFinishingActions(p).empty());
  p.OutType = 0;
  p.OptView = 0;
  actions = PlanFinishingActions(p);
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_STREQ(actions[0].verb, L"edit");
}

}  // namespace
}  // namespace kx
