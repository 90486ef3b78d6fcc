# Shared set-up for run.sh and test.sh: packages, builds and the Wine prefix template.
# Sourced, not run. Every step is skipped quickly when its result is already there.

KX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KX_BUILD=${KX_BUILD_DIR:-$KX_ROOT/build}
KX_JOBS=$(nproc 2>/dev/null || echo 2)

# wine32 runs the 32-bit build; it comes from the i386 architecture and must be the version of
# wine64. Wine's display driver loads the X extensions at run time and quietly goes without
# those it does not find (Xinerama's monitors among them), and Wine only recommends them:
# both architectures get the same ones. xrandr (x11-xserver-utils) lays out several monitors
# on one Xvfb.
KX_X_EXTENSIONS=(libxinerama1 libxrandr2 libxrender1 libxcursor1 libxi6 libxfixes3 libxcomposite1
                 libxxf86vm1)
KX_PACKAGES=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386
             "${KX_X_EXTENSIONS[@]}" "${KX_X_EXTENSIONS[@]/%/:i386}" fonts-wine xvfb xdotool xauth
             x11-xserver-utils libx11-dev libxtst-dev libstb-dev googletest cmake make g++ file
             fp-utils zip unzip)

kx_say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

# The version of an installed package, or nothing.
kx_installed_version() {
  dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null | sed -n 's/^install ok installed //p'
}

# What the prefix template was made with: a prefix made by one Wine may fail under another
# (one made before wine32 was installed does).
kx_wine_versions() {
  echo "wine64 $(kx_installed_version wine64), wine32 $(kx_installed_version wine32:i386)"
}

kx_ensure_packages() {
  local missing=() p
  for p in "${KX_PACKAGES[@]}"; do
    [ -n "$(kx_installed_version "$p")" ] || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    kx_say "Installing packages: ${missing[*]}"
    local sudo="" wine64_version
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      $sudo dpkg --add-architecture i386 || return 1
    fi
    wine64_version=$(kx_installed_version wine64)
    for p in "${!missing[@]}"; do
      [ "${missing[$p]}" = wine32:i386 ] && [ -n "$wine64_version" ] &&
        missing[$p]="wine32:i386=$wine64_version"
    done
    $sudo apt-get update -qq &&
      DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null || return 1
  fi
  [ "$(kx_installed_version wine64)" = "$(kx_installed_version wine32:i386)" ] ||
    { echo "wine64 and wine32 differ: $(kx_wine_versions)" >&2; return 1; }
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
      -DCMAKE_TOOLCHAIN_FILE="$KX_ROOT/cmake/mingw-x86_64.cmake" -DKX_RESGEN="$resgen" -DKX_BUILD_TESTS=ON &&
    kx_quiet cmake --build "$KX_BUILD/win64" -j "$KX_JOBS" &&
    kx_quiet cmake -S "$KX_ROOT" -B "$KX_BUILD/win32" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$KX_ROOT/cmake/mingw-i686.cmake" -DKX_RESGEN="$resgen" -DKX_BUILD_TESTS=ON &&
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

# A prepared prefix for 64-bit and 32-bit programs: Tahoma installed, unmanaged windows (no 2 s
# wait on close without a window manager), no debugger, so that a crash ends the process, and
# Wine's stand-alone tray window hidden: without a window manager it would sit over the
# top-left corner of every screen the tests read (the tray tests show it again in their own
# copy).
kx_prepare_wine_template() {
  local t="$KX_BUILD/wine/template"
  local made_with
  made_with="template 6, $(kx_wine_versions)"
  [ "$(cat "$t/.kestrix-template" 2>/dev/null)" = "$made_with" ] && return 0
  kx_say "Preparing the Wine prefix template ($made_with)"
  rm -rf "$t"
  mkdir -p "$KX_BUILD/wine/home"
  kx_wine_in "$t" wineboot -i
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$t/drive_c/windows/Fonts/"
  kx_wine_in "$t" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  kx_wine_in "$t" wine reg add 'HKCU\Software\Wine\X11 Driver' /v ShowSystray /d N /f
  kx_wine_in "$t" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
  local view
  for view in /reg:64 /reg:32; do  # the debugger of 64-bit and of 32-bit programs
    kx_wine_in "$t" wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f $view
  done
  WINEPREFIX="$t" wineserver -w
  # The user's shell folders start as links to the Unix home; make them the prefix's own,
  # so that every copy of the template keeps its captures to itself.
  local link
  for link in "$t"/drive_c/users/*/*; do
    [ -L "$link" ] && rm "$link" && mkdir "$link"
  done
  [ -f "$t/drive_c/windows/Fonts/tahoma.ttf" ] || return 1
  echo "$made_with" >"$t/.kestrix-template"
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

# The pid of the running program <exe> (a Unix or Windows path, or its name) of the prefix
# $WINEPREFIX, waited for up to 10 s. Not `$!` of `wine <exe> &`: with 32-bit Wine that is the
# 32-bit loader, which hands a 64-bit program to a process of its own. Wine writes the
# Windows command line over a program's arguments, so the program's process is the one of
# this prefix whose command line starts with its path.
kx_wine_process() {
  local name=${1##*[/\\]} tries file first
  local pattern="^\"?([^\"]*[\\/])?${name//./\\.}(\"| |\$)"
  for ((tries = 0; tries < 100; tries++)); do
    for file in /proc/[0-9]*/cmdline; do
      first=""
      IFS= read -r -d '' first 2>/dev/null <"$file"
      shopt -s nocasematch
      if [[ $first =~ $pattern ]] && grep -sqzxF "WINEPREFIX=$WINEPREFIX" "${file%/*}/environ"; then
        shopt -u nocasematch
        file=${file%/cmdline}
        echo "${file#/proc/}"
        return 0
      fi
      shopt -u nocasematch
    done
    sleep 0.1
  done
  return 1
}

kx_setup() {
  kx_ensure_packages || { echo "Could not install the packages" >&2; return 1; }
  kx_build || { echo "Build failed" >&2; return 1; }
  kx_prepare_wine_template || { echo "Could not prepare the Wine prefix" >&2; return 1; }
}
