#!/usr/bin/env bash
# Deliberate faults, one at a time, each against the tests that should catch it: proves the
# suite still finds real mistakes after it is trimmed. Works on a copy of the tree in
# build/faults, so the checkout is never touched.
# Usage: tests/faults.sh [fault id ...]     (no ids: every fault)
# Each row: id @@ file @@ text as it stands @@ faulty text @@ layer @@ tests
# The text must occur exactly once. Layer "unit" takes a ctest regex, "e2e" a gtest filter.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

read -r -d '' KX_FAULTS <<'EOF'
argb-channels-swapped @@ src/capture/capture_layout.cpp @@ red << 16 | green << 8 | blue; @@ blue << 16 | green << 8 | red; @@ unit @@ ^Caption
scale-rounds-up @@ src/capture/capture_layout.cpp @@ int64_t(profile.ScaWidth) * width / 100); @@ int64_t(profile.ScaWidth) * width / 100 + 1); @@ unit @@ ^CaptureLayout
caption-alpha-inverted @@ src/capture/capture_layout.cpp @@ (100 - int64_t(profile.CapTrans)) * 255 @@ int64_t(profile.CapTrans) * 255 @@ unit @@ ^Caption
counter-starts-at-one @@ src/capture/output_plan.cpp @@ for (int counter = 0; @@ for (int counter = 1; @@ unit @@ ^Output
bmp-mime-type-wrong @@ src/capture/output_plan.cpp @@ return L"image/bmp"; @@ return L"image/x-bmp"; @@ e2e @@ CaptureFlowsE2E.Fullscreen*
list-version-unchecked @@ src/profiles/profile_codec.cpp @@ GetWord(data) != kProfileListMagic || GetWord(data + 4) != kProfileListVersion @@ GetWord(data) != kProfileListMagic @@ e2e @@ ProfileWindowsE2E.Foreign*
added-profile-goes-last @@ src/profiles/profile_files.cpp @@ list.insert(list.begin(), added); @@ list.push_back(added); @@ e2e @@ ProfileWindowsE2E.Load*
current-profile-size-unchecked @@ src/profiles/profile_codec.cpp @@ if (size == 0 || size % sizeof(CaptureProfile) != 0) return false; @@ if (size == 0) return false; @@ e2e @@ MainWindowE2E.StoresOnly*
eleventh-profile-saved @@ src/profiles/save_profile_window.cpp @@ book_.stored.size() >= kMaxStoredProfiles @@ book_.stored.size() > kMaxStoredProfiles @@ e2e @@ ProfileWindowsE2E.Saving*
half-written-file-kept @@ src/profiles/file_io.cpp @@ if (written && @@ if (true && @@ unit @@ ^ProfileFileWrites
position-names-swapped @@ src/capture/profile_values.cpp @@ {L"Inside of image", L"Outside of image"} @@ {L"Outside of image", L"Inside of image"} @@ e2e @@ OptionWindowsE2E.CaptionWindow
selection-one-short @@ src/select/area_geometry.cpp @@ int32_t(std::max(anchor.x, cursor.x) + 1) @@ int32_t(std::max(anchor.x, cursor.x)) @@ unit @@ ^Select
magnifier-too-close @@ src/select/area_geometry.cpp @@ kNearOffset = kBoxWidth + 7 @@ kNearOffset = kBoxWidth + 6 @@ unit @@ ^Select
dimming-channels-swapped @@ src/select/dimming.cpp @@ return int(Grey(pixel[2], pixel[1], pixel[0]) @@ return int(Grey(pixel[0], pixel[1], pixel[2]) @@ e2e @@ CaptureFlowsE2E.PrintScreenDrags*
dimming-radicand-rounded @@ src/select/dimming.cpp @@ greyFloor_[uint32_t(k) / 1000] @@ greyFloor_[(uint32_t(k) + 500) / 1000] @@ unit @@ ^SelectDimming
dimming-squares-taken-exactly @@ src/select/dimming.cpp @@ if (uint32_t(k) != thousandSquare_[grey]) return grey; @@ return grey; @@ unit @@ ^SelectDimming
dimming-first-grey-exclusive @@ src/select/dimming.cpp @@ (radicand >= firstOf_[grey]) @@ (radicand > firstOf_[grey]) @@ unit @@ ^SelectDimming
png-paeth-marked-average @@ src/capture/png_encoder.cpp @@ kSub = 1, kUp = 2, kPaeth = 4 } @@ kSub = 1, kUp = 2, kPaeth = 3 } @@ unit @@ ^PngWriter
png-match-one-byte-long @@ src/capture/png_encoder.cpp @@ if (differ) return n + (std::countr_zero(differ) >> 3); @@ if (differ) return n + (std::countr_zero(differ) >> 3) + 1; @@ unit @@ ^PngWriter
png-run-one-byte-back @@ src/capture/png_encoder.cpp @@ if (run >= length) length = run, from = p - 1; @@ if (run >= length) length = run, from = p - 2; @@ unit @@ ^PngWriter
png-adler-base-wrong @@ src/capture/png_encoder.cpp @@ constexpr uint32_t kBase = 65521; @@ constexpr uint32_t kBase = 65519; @@ unit @@ ^PngWriter
png-adler-weight-off @@ src/capture/png_encoder.cpp @@ _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1) @@ _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 2) @@ unit @@ ^PngWriter
png-crc-polynomial-wrong @@ src/capture/png_encoder.cpp @@ 0xEDB88320u ^ (c >> 1) @@ 0xEDB88321u ^ (c >> 1) @@ unit @@ ^PngWriter
png-repeated-row-compared-short @@ src/capture/png_encoder.cpp @@ SameBytes(pixel, pixel - source.stride, width * 4) @@ SameBytes(pixel, pixel - source.stride, width * 3) @@ unit @@ ^PngWriter
png-stored-length-not-inverted @@ src/capture/png_encoder.cpp @@ out[2] = uint8_t(~chunk) @@ out[2] = uint8_t(chunk) @@ unit @@ ^PngWriter
png-access-denied-unmapped @@ src/capture/capture_output.cpp @@ if (error == ERROR_ACCESS_DENIED) return kStatusAccessDenied; @@ if (error == ERROR_ACCESS_DENIED) return kStatusWriteFailed; @@ unit @@ ^PngWriter
png-temp-file-left @@ src/capture/capture_output.cpp @@ DeleteFileW(temp.c_str()); @@ (void)temp; @@ unit @@ ^PngWriter
shallow-element-first @@ src/select/pick_geometry.cpp @@ return a.depth > b.depth; @@ return a.depth < b.depth; @@ unit @@ ^Select
clamp-lets-right-edge-out @@ src/capture/desktop.cpp @@ r.right = std::min(r.right, bounds.right); @@ r.right = std::min(r.right, bounds.right + 40); @@ e2e @@ CaptureFlowsE2E.WindowPick*
countdown-hours-wrap-at-24 @@ src/select/interval_window.cpp @@ remaining / 3600, @@ remaining / 3600 % 24, @@ e2e @@ HotkeysE2E.DuringAnInterval*
frame-band-one-row-short @@ src/ui/tool_frame.cpp @@ kBandHeight = 43; @@ kBandHeight = 42; @@ e2e @@ OptionWindowsE2E.WindowPropertiesWindow
group-dashes-every-five @@ src/ui/tool_frame.cpp @@ kDashPeriod = 6 @@ kDashPeriod = 5 @@ e2e @@ OptionWindowsE2E.WindowPropertiesWindow
colour-chooser-misnamed @@ src/ui/option_window.cpp @@ L"comdlg32.dll", "ChooseColorW" @@ L"comdlg32.dll", "ChooseColourW" @@ e2e @@ OptionWindowsE2E.BorderWindow
edit-value-unclamped @@ src/ui/option_window.cpp @@ return value > maximum ? maximum : value; @@ return value; @@ e2e @@ OptionWindowsE2E.BorderWindow
pixel-space-not-restored @@ src/base/pixel_space.cpp @@ if (previous_) Switch(previous_); @@ (void)previous_; @@ unit @@ ^DpiPixelSpace
caption-toggle-moved @@ src/app/main_layout.cpp @@ {kCaptionId, L"Caption", 26, 312, @@ {kCaptionId, L"Caption", 27, 312, @@ e2e @@ MainWindowE2E.LaidOut*
repeat-acts-during-interval @@ src/app/hotkeys.cpp @@ return intervalRunning ? 0 : kRepeatCaptureId; @@ return kRepeatCaptureId; @@ e2e @@ HotkeysE2E.DuringAnInterval*
tray-right-button-ignored @@ src/app/tray_icon.cpp @@ mouseMessage != WM_LBUTTONDOWN && mouseMessage != WM_RBUTTONDOWN @@ mouseMessage != WM_LBUTTONDOWN @@ e2e @@ TrayMenuE2E.TrayIconPresses*
run-value-misnamed @@ src/app/settings_window.h @@ kRunValue[] = L"Kestrix"; @@ kRunValue[] = L"Kestrix 1"; @@ e2e @@ OptionWindowsE2E.SettingsWindow
first-run-page-every-start @@ src/app/startup.cpp @@ kFirstRunValue, 0) == 1) return; @@ kFirstRunValue, 0) == 2) return; @@ e2e @@ StartupE2E.MakesTheDataFolder*
repeat-keeps-the-area-profile @@ src/app/capture_flows.cpp @@ state.current = kept; @@ (void)kept; @@ e2e @@ CaptureFlowsE2E.PrintScreenDrags*
main-window-not-hidden @@ src/app/capture_flows.cpp @@ ShowWindow(mainWindow, SW_HIDE); @@ ShowWindow(mainWindow, SW_SHOWNA); @@ e2e @@ CaptureFlowsE2E.Fullscreen*
window-shot-unclamped @@ src/capture/window_shot.cpp @@ ClampToBounds({r.left, r.top, r.right, r.bottom}, @@ ClampToBounds({r.left, r.top, r.right + 40, r.bottom}, @@ e2e @@ CaptureFlowsE2E.WindowPick*
reset-forgets-the-naming @@ src/options/file_format_window.cpp @@ kReset[] = {{&P::OutFormat, 0}, @@ kReset[] = {{&P::OutFilename, 0}, {&P::OutFormat, 0}, @@ e2e @@ OptionWindowsE2E.OutputFileWindow
default-profile-deletable @@ src/profiles/load_profile_window.cpp @@ EnableWindow(Control(kDeleteId), index != 0); @@ EnableWindow(Control(kDeleteId), index >= 0); @@ e2e @@ ProfileWindowsE2E.Load*
help-tips-with-help-text-off @@ src/app/main_window.cpp @@ if (!state_.current.SetHelpText || @@ if ( @@ e2e @@ MainWindowE2E.StoresOnly*
cursor-never-drawn @@ src/capture/screen_grab.cpp @@ if (profile.OptCursor) DrawCursor( @@ if (profile.OptCursor > 1) DrawCursor( @@ unit @@ ^CaptureUnseen
counter-ignores-taken-names @@ src/capture/capture_output.cpp @@ [&](int n) { return FileNameTaken( @@ [&](int n) { return n < 0 && FileNameTaken( @@ e2e @@ CaptureFlowsE2E.Fullscreen*
overlay-undimmed-at-32-bits @@ src/select/frozen_screen.cpp @@ if (bitsPerPixel != 24 && bitsPerPixel != 32) return; @@ if (bitsPerPixel != 24) return; @@ e2e @@ CaptureFlowsE2E.PrintScreenDrags*
switch-steps-a-flag @@ src/ui/option_window.cpp @@ s.choices == kFlipFlag ? !value : @@ s.choices == kFlipFlag ? (value + 1) % 2 : @@ e2e @@ OptionWindowsE2E.BorderWindow
list-draws-prefixes @@ src/profiles/load_profile_window.cpp @@ DT_SINGLELINE | DT_NOPREFIX); @@ DT_SINGLELINE); @@ e2e @@ ProfileWindowsE2E.Saving*
full-screen-sized-in-caller-pixels @@ src/capture/post_process.cpp @@ ScopedPixelSpace physical(PixelSpace::kPhysical); @@ ScopedPixelSpace physical(PixelSpace::kSkin); @@ unit @@ ^CaptureScaled
clipboard-gets-the-bare-grab @@ src/capture/capture_output.cpp @@ if (holder.image) { @@ if (false) { @@ unit @@ ^CaptureUnseen
object-freed-under-its-handler @@ src/ui/window_base.cpp @@ if (object->handlersRunning_ == 0) delete object; @@ delete object; @@ e2e @@ OutsideCloseE2E.*
main-window-end-unmarked @@ src/app/main_window.cpp @@   PostProgramQuit(); @@   PostQuitMessage(0); @@ e2e @@ CaptureFlowsE2E.EveryCaptureState*
modal-loop-waits-after-the-end @@ src/ui/tool_window.cpp @@ while (!programEnding && (got = @@ while ((got = @@ e2e @@ OutsideCloseE2E.EveryToolWindow*
field-text-unbounded @@ src/capture/capture_profile.h @@ while (length < N && field[length] != 0) ++length; @@ while (field[length] != 0) ++length; @@ unit @@ ^ProfileFuzz
clipboard-waited-for @@ src/capture/capture_output.cpp @@ if (!OpenClipboard(holder.owner)) return kStatusFailed; @@ while (!OpenClipboard(holder.owner)) Sleep(50); @@ e2e @@ CaptureFlowsE2E.Fullscreen*
interval-shoots-a-closed-window @@ src/select/interval_window.cpp @@ if (!PickedWindowShown(current_)) return; @@ (void)PickedWindowShown; @@ e2e @@ CaptureFlowsE2E.WindowPick*
dimmed-at-16-bits @@ src/select/frozen_screen.cpp @@ info.bmiHeader.biBitCount = WORD(GetDeviceCaps(dc, BITSPIXEL)); @@ info.bmiHeader.biBitCount = 32; @@ e2e @@ CaptureFlowsAt16Bits.*
hotkeys-stop-at-the-taken-one @@ src/app/hotkeys.cpp @@       RegisterHotKey(mainWindow, h.id, h.modifiers, VK_SNAPSHOT); @@       if (!RegisterHotKey(mainWindow, h.id, h.modifiers, VK_SNAPSHOT)) break; @@ e2e @@ HotkeysE2E.*
overlay-origin-at-zero @@ src/select/overlay.cpp @@ placement.x = desktop.left; @@ placement.x = 0; @@ e2e @@ *LeftAndLower
magnifier-placed-on-the-primary @@ src/select/get_area_window.cpp @@ MonitorAt(frozen_.Monitors().monitors, cursorPos, area) @@ ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)} @@ e2e @@ *LeftAndLower
uncovered-part-captured @@ src/capture/screen_grab.cpp @@ if (!UncoveredParts(area, monitors).empty() && @@ if (false && @@ e2e @@ *LeftAndLower
uncovered-part-shown-in-overlay @@ src/select/frozen_screen.cpp @@ BlackOutUncovered(cleanDC.Get(), b, desktop_.monitors, 0, 0); @@ (void)b; @@ e2e @@ *LeftAndLower
maximised-gets-the-primarys-work-area @@ src/select/window_candidates.cpp @@ MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) @@ MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY) @@ e2e @@ *LeftAndLower
pick-clamped-to-the-primary @@ src/select/get_window_window.cpp @@ ClampToBounds(targetRect, frozen_.Monitors().bounds) @@ ClampToBounds(targetRect, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}) @@ e2e @@ *LeftAndLower
refresh-clamped-to-the-primary @@ src/capture/window_shot.cpp @@ ReadDesktop().bounds @@ ScreenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)} @@ e2e @@ *Above
display-change-ignored @@ src/select/overlay.cpp @@ message == WM_DISPLAYCHANGE @@ message == WM_DISPLAYCHANGE + 0x1000 @@ e2e @@ *LeftAndLower
uncovered-left-band-dropped @@ src/capture/desktop.cpp @@ if (piece.left < left) out.push_back @@ if (false) out.push_back @@ unit @@ ^Select
nearest-monitor-not-sought @@ src/capture/desktop.cpp @@ if (!nearest || DistanceSquared(m, p) < DistanceSquared(*nearest, p)) @@ if (!nearest) @@ unit @@ ^Select
EOF

fault_ids() { sed -e 's/ @@ .*//' <<<"$KX_FAULTS"; }
fault_field() {  # id, field number (1-based)
  awk -v id="$1" -v n="$2" 'BEGIN { FS = " @@ " } $1 == id { print $n }' <<<"$KX_FAULTS"
}

# Builds the copy and runs the tests of a layer ("unit": a ctest regex, "e2e": a gtest filter),
# appending to a log; prints the names of the tests that failed.
run_tests() {
  local layer=$1 tests=$2 log=$3
  cmake --build "$KX_BUILD/win64" -j "$KX_JOBS" >>"$log" 2>&1 || { echo "(does not build)"; return; }
  if [ "$layer" = unit ]; then
    kx_begin_wine_session faults 1280x800 >/dev/null 2>&1
    (cd "$KX_BUILD/win64" && ctest --timeout 120 -R "$tests") >>"$log" 2>&1
    kx_end_wine_session
    sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (\(Failed\|Timeout\|SEGFAULT\|Exception\).*/\1/p' "$log" | sort -u | paste -sd' '
  else
    "$KX_BUILD/host/e2e/kx_e2e_tests" --gtest_filter="$tests" >>"$log" 2>&1
    sed -n 's/^\[  FAILED  \] \([^ ,]*\).*ms)$/\1/p' "$log" | sort -u | paste -sd' '
  fi
}

# Everything runs from one function, read whole before it starts: the table may be edited
# while a long run goes on.
main() {
  # The faults' own tree and build, so that the checkout and its build stay as they are.
  tree="$KX_BUILD/faults/tree" logs="$KX_BUILD/faults/logs"
  export KX_BUILD_DIR="$KX_BUILD/faults/build"
  mkdir -p "$tree" "$logs" "$KX_BUILD_DIR/wine"
  # Only files that differ are copied, as new files, so that the copy's build stays incremental;
  # files gone from the checkout go from the copy too.
  for part in CMakeLists.txt cmake src resources tests tools docs; do
    (cd "$KX_ROOT" && find "$part" -type f) | while IFS= read -r f; do
      cmp -s "$KX_ROOT/$f" "$tree/$f" || { mkdir -p "$(dirname "$tree/$f")" && cp "$KX_ROOT/$f" "$tree/$f"; }
    done
    [ -e "$tree/$part" ] && (cd "$tree" && find "$part" -type f) | while IFS= read -r f; do
      [ -e "$KX_ROOT/$f" ] || rm "$tree/$f"
    done
  done
  if [ ! -d "$KX_BUILD_DIR/wine/template" ] && [ -d "$KX_BUILD/wine/template" ]; then
    cp -a "$KX_BUILD/wine/template" "$KX_BUILD_DIR/wine/template"
  fi
  source "$tree/tools/common.sh"  # KX_ROOT and KX_BUILD now name the copy
  kx_setup || exit 1

  ids=("$@")
  [ ${#ids[@]} -eq 0 ] && mapfile -t ids < <(fault_ids)
  results=()
  missed=0

  # A fault counts only where its tests pass without it: each set of tests runs once on the
  # faultless tree first.
  declare -A clean=()
  for id in "${ids[@]}"; do
    file=$(fault_field "$id" 2)
    [ -n "$file" ] || { echo "no fault named $id" >&2; exit 2; }
    key="$(fault_field "$id" 5) $(fault_field "$id" 6)"
    [ -n "${clean[$key]+set}" ] && continue
    kx_say "Without a fault: $key"
    clean[$key]=$(run_tests "$(fault_field "$id" 5)" "$(fault_field "$id" 6)" "$logs/clean-${#clean[@]}.log")
  done

  for id in "${ids[@]}"; do
    file=$(fault_field "$id" 2)
    [ -n "$file" ] || { echo "no fault named $id" >&2; exit 2; }
    from=$(fault_field "$id" 3) to=$(fault_field "$id" 4) layer=$(fault_field "$id" 5)
    tests=$(fault_field "$id" 6)
    kx_say "Fault $id: $file"
    failing_clean=${clean["$layer $tests"]}
    if [ -n "$failing_clean" ]; then
      results+=("$id|FAILS WITHOUT THE FAULT|$failing_clean")
      missed=1
      continue
    fi
    cp "$tree/$file" "$tree/$file.kept"
    # Literal text, exactly one place, or the row is stale.
    if ! FROM="$from" TO="$to" perl -0777 -i -pe '$n = s/\Q$ENV{FROM}\E/$ENV{TO}/g; END { exit($n == 1 ? 0 : 3) }' "$tree/$file"; then
      results+=("$id|STALE (text not found once)|")
      rm "$tree/$file.kept"
      missed=1
      continue
    fi
    log="$logs/$id.log"
    caught="" built=1
    if ! cmake --build "$KX_BUILD/win64" -j "$KX_JOBS" >"$log" 2>&1; then
      built=0
    else
      caught=$(run_tests "$layer" "$tests" "$log")
    fi
    # Put back as a new file (not a move, which keeps the older time): the next build must
    # compile it again, or the fault would stay in every later build.
    cp "$tree/$file.kept" "$tree/$file" && rm "$tree/$file.kept"
    if [ $built -eq 0 ]; then
      results+=("$id|does not build|$log")
      missed=1
    elif [ -n "$caught" ]; then
      results+=("$id|caught|$caught")
    elif grep -q "Error running test executable" "$log"; then  # ctest could not list the tests
      results+=("$id|DID NOT RUN|$log")
      missed=1
    else
      results+=("$id|MISSED|$tests")
      missed=1
    fi
  done
  cmake --build "$KX_BUILD/win64" -j "$KX_JOBS" >/dev/null 2>&1  # leave the copy's build faultless

  echo
  kx_say "Faults"
  printf '%s\n' "${results[@]}" | column -t -s '|'
  [ $missed -eq 0 ] && echo "EVERY FAULT CAUGHT" || echo "SOME FAULTS NOT CAUGHT"
  exit $missed
}

main "$@"
exit $?
