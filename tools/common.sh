# Shared set-up for run.sh and test.sh: packages, builds and the Wine prefix template.
# Sourced, not run. Every step is skipped quickly when its result is already there.

KX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KX_BUILD=${KX_BUILD_DIR:-$KX_ROOT/build}
KX_JOBS=$(nproc 2>/dev/null || echo 2)

KX_PACKAGES=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 fonts-wine
             xvfb x11-xserver-utils xdotool xauth libx11-dev libxtst-dev libstb-dev googletest cmake make g++ file
             fp-utils zip unzip)

kx_say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

kx_ensure_packages() {
  local missing=()
  for p in "${KX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  kx_say "Installing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Runs a build step quietly; on failure shows what it printed.
kx_quiet() {
  local log="$KX_BUILD/last-step.log"
  mkdir -p "$KX_BUILD"
  if "$@" >"$log" 2>&1; then
    grep -E 'warning:' "$log" >&2  # a clean build prints none
    return 0
  fi
  tail -n 60 "$log" >&2
  return 1
}

kx_build() {
  kx_say "Building (host tools, Windows x86-64, Windows x86)"
  local resgen="$KX_BUILD/host/resgen/kx_resgen"
  kx_quiet cmake -S "$KX_ROOT/tools" -B "$KX_BUILD/host" -DCMAKE_BUILD_TYPE=Release &&
    kx_quiet cmake --build "$KX_BUILD/host" -j "$KX_JOBS" &&
    kx_quiet cmake -S "$KX_ROOT" -B "$KX_BUILD/win64" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$KX_ROOT/cmake/mingw-x86_64.cmake" -DKX_RESGEN="$resgen" &&
    kx_quiet cmake --build "$KX_BUILD/win64" -j "$KX_JOBS" &&
    kx_quiet cmake -S "$KX_ROOT" -B "$KX_BUILD/win32" -DCMAKE_BUILD_TYPE=Release -DKX_BUILD_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$KX_ROOT/cmake/mingw-i686.cmake" -DKX_RESGEN="$resgen" &&
    kx_quiet cmake --build "$KX_BUILD/win32" -j "$KX_JOBS" || return 1
  echo "    $KX_BUILD/win64/Kestrix.exe  ($(file -b "$KX_BUILD/win64/Kestrix.exe" | cut -d, -f1))"
  echo "    $KX_BUILD/win32/Kestrix.exe  ($(file -b "$KX_BUILD/win32/Kestrix.exe" | cut -d, -f1))"
}

# Runs a command in a prefix, quietly, with a private HOME and no display. The overrides keep
# wineboot from offering to install Mono and Gecko; they are not used later, because
# with them set, every Wine process ends about a second later (measured on the unit tests).
kx_wine_in() {
  local prefix=$1
  shift
  WINEPREFIX="$prefix" WINEDEBUG=-all HOME="$KX_BUILD/wine/home" DISPLAY= \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" "$@" </dev/null >/dev/null 2>&1
}

# A prepared 64-bit prefix: Tahoma installed, unmanaged windows (no 2 s wait on close
# without a window manager), no debugger, so that a crash ends the process, and Wine's
# stand-alone tray window hidden: without a window manager it would sit over the top-left
# corner of every screen the tests read (the tray tests show it again in their own copy).
kx_prepare_wine_template() {
  local t="$KX_BUILD/wine/template"
  local stamp="$t/.kestrix-template-5"
  [ -f "$stamp" ] && return 0
  kx_say "Preparing the Wine prefix template (once)"
  rm -rf "$t"
  mkdir -p "$KX_BUILD/wine/home"
  kx_wine_in "$t" wineboot -i
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$t/drive_c/windows/Fonts/"
  kx_wine_in "$t" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  kx_wine_in "$t" wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShowSystray /d N /f
  kx_wine_in "$t" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  kx_wine_in "$t" wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f
  kx_wine_in "$t" wine reg delete 'HKLM\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f
  WINEPREFIX="$t" wineserver -w
  # The user's shell folders start as links to the Unix home; make them the prefix's own,
  # so that every copy of the template keeps its captures to itself.
  local link
  for link in "$t"/drive_c/users/*/*; do
    [ -L "$link" ] && rm "$link" && mkdir "$link"
  done
  [ -f "$t/drive_c/windows/Fonts/tahoma.ttf" ] || return 1
  touch "$stamp"
}

# Starts Xvfb on a display number it picks itself; sets KX_XVFB_PID and KX_XVFB_DISPLAY.
kx_start_xvfb() {
  local size=${1:-1280x800}
  local fifo
  fifo=$(mktemp -u /tmp/kx-xvfb-XXXXXX)
  mkfifo "$fifo" || return 1
  Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp -br 3>"$fifo" >/dev/null 2>&1 &
  KX_XVFB_PID=$!
  local n=""
  read -r -t 20 n <"$fifo"
  rm -f "$fifo"
  [ -n "$n" ] || return 1
  KX_XVFB_DISPLAY=":$n"
}

kx_stop_xvfb() {
  [ -n "${KX_XVFB_PID:-}" ] && kill "$KX_XVFB_PID" 2>/dev/null && wait "$KX_XVFB_PID" 2>/dev/null
  KX_XVFB_PID=
}

# A fresh copy of the template as $KX_BUILD/wine/<name>, with its own HOME, on a new Xvfb of
# the given size, and a warm wineserver: started persistent with its service processes
# detached, so that each Wine process of the session starts and ends quickly.
kx_begin_wine_session() {
  local name=$1 size=$2
  KX_SESSION_PREFIX="$KX_BUILD/wine/$name"
  rm -rf "$KX_SESSION_PREFIX" && cp -a "$KX_BUILD/wine/template" "$KX_SESSION_PREFIX" || return 1
  mkdir -p "$KX_BUILD/wine/$name-home"
  kx_start_xvfb "$size" || { echo "Xvfb did not start" >&2; return 1; }
  export WINEPREFIX="$KX_SESSION_PREFIX" WINEDEBUG=-all HOME="$KX_BUILD/wine/$name-home"
  export DISPLAY="$KX_XVFB_DISPLAY"
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

kx_end_wine_session() {
  [ -n "${KX_SESSION_PREFIX:-}" ] && WINEPREFIX="$KX_SESSION_PREFIX" wineserver -k 2>/dev/null
  KX_SESSION_PREFIX=
  kx_stop_xvfb
  unset WINEPREFIX DISPLAY
}

kx_setup() {
  kx_ensure_packages || { echo "Could not install the packages" >&2; return 1; }
  kx_build || { echo "Build failed" >&2; return 1; }
  kx_prepare_wine_template || { echo "Could not prepare the Wine prefix" >&2; return 1; }
}
