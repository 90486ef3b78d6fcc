// The hotkeys' dispatch while an interval capture runs, which the end-to-end tests reach only
// with a running interval.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/hotkeys.h"

namespace kx {
namespace {

TEST(HotkeyCommand, DuringAnIntervalOnlyCtrlActsAndModifiersOutsideTheTableCapture) {
  const struct {
    UINT modifiers;
    int idle, interval;
  } cases[] = {
      {0, 1044, 0},
      {MOD_SHIFT, 1045, 0},
      {MOD_CONTROL, 1043, 1043},
      {MOD_CONTROL | MOD_SHIFT, 1044, 0},  // any other value counts as none
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HotkeyCommand(c.modifiers, false), c.idle) << c.modifiers;
    EXPECT_EQ(HotkeyCommand(c.modifiers, true), c.interval) << c.modifiers;
  }
}

}  // namespace
}  // namespace kx
