# Sourced by the scripts that start Windows programs under Wine.
# Sets up the environment and a Wine prefix under build/, created once.
qv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${QV_WINEPREFIX:-$qv_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# zh_CN.UTF-8 gives ANSI and OEM code page 936 and keeps GBK names intact.
export LC_ALL=zh_CN.UTF-8
unset LANGUAGE

qv_wine_prefix() {
  [ -f "$WINEPREFIX/.qv-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.qv-ready" ]; then
      DISPLAY= /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
      /usr/lib/wine/wineserver -w
      # Let Wine draw title bars itself: there is no window manager here.
      DISPLAY= /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      /usr/lib/wine/wineserver -w
      touch "$WINEPREFIX/.qv-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Starts Xvfb when there is no display; sets qv_xvfb_pid to stop it later.
qv_xvfb_pid=
qv_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 130); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    qv_xvfb_pid=$!
    local i
    for i in $(seq 1 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    return 0
  done
  return 1
}

qv_wine_loader() {
  case "$1" in
    32) echo /usr/lib/wine/wine ;;
    *)  echo /usr/lib/wine/wine64 ;;
  esac
}
