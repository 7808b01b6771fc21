# The Wine sandbox. Quillmere deletes things, and under Wine the recycle bin is the
# Linux user's Trash and drive Z: is the whole Linux file system. Every Wine process
# the tests or scripts/run start lives in a sandbox inside the build tree: its own
# prefix, HOME and XDG_DATA_HOME, and a prefix whose only drives are its own C: and
# Q:, the build tree. (A program could still name a Unix path outright, as
# "\\?\unix\..."; Quillmere never does, and refuses such a History folder.)

sandbox_wine=/usr/lib/wine/wine64
sandbox_user='Zoë Łukasz 李'

# sandbox_enter DIR: point this shell's Wine at the sandbox DIR.
sandbox_enter() {
  mkdir -p "$1/home/.local/share"
  local dir
  dir=$(cd "$1" && pwd)  # Wine takes only an absolute prefix
  export HOME="$dir/home"
  export XDG_DATA_HOME="$dir/home/.local/share"
  export XDG_CONFIG_HOME="$dir/home/.config"
  export XDG_CACHE_HOME="$dir/home/.cache"
  export WINEPREFIX="$dir/prefix"
  # Wine names the profile after USER: a user whose name lies outside every ANSI
  # code page proves that every name the programs meet reaches Windows whole.
  export USER="$sandbox_user" LOGNAME="$sandbox_user"
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko install prompts; the program needs neither.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  unset WINESERVER WINELOADER
}

# sandbox_prepare DIR: create the prefix once (serialised, so parallel callers do not
# race to create it), take away its Z: drive and give it Q:, the build tree the
# sandbox lives in, so that the programs under test can be started at all.
sandbox_prepare() {
  # Q: gives the programs under test the folder the sandbox stands in; that must be
  # a build tree, never a folder of the user's.
  case "$(cd "$(dirname "$1")" 2>/dev/null && pwd)/" in
    */build/*) ;;
    *) echo "sandbox: $1 is not inside a build tree" >&2; return 1 ;;
  esac
  sandbox_enter "$1"
  local dir=${WINEPREFIX%/prefix}
  (
    flock 9
    # A prefix made for another user (before the sandbox had its own) is made anew;
    # it holds nothing but what the sandbox's programs put there.
    if [ -f "$WINEPREFIX/system.reg" ] && [ ! -d "$WINEPREFIX/drive_c/users/$USER" ]; then
      wineserver -k 2>/dev/null || true
      rm -rf "$WINEPREFIX"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot --init >/dev/null 2>&1 || true
      # Letters the program's face lacks (the user's "李") come, as Windows takes
      # them from its own fonts, from WenQuanYi (fonts-wqy-microhei).
      "$sandbox_wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v 'Liberation Sans' /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
      wineserver -w
    fi
    # Every drive but C: (the prefix's own) and Q: goes, Z: above all; so do the
    # raw devices behind them ("d::").
    local drive
    for drive in "$WINEPREFIX"/dosdevices/?: "$WINEPREFIX"/dosdevices/?::; do
      case "${drive##*/}" in c: | q:) ;; *) rm -f "$drive" ;; esac
    done
    local tree
    tree=$(cd "$dir/.." && pwd)
    [ "$(readlink "$WINEPREFIX/dosdevices/q:")" = "$tree" ] ||
      ln -sfn "$tree" "$WINEPREFIX/dosdevices/q:"
    [ -f "$WINEPREFIX/system.reg" ] || { echo "sandbox: could not create $WINEPREFIX" >&2; exit 1; }
    # Debian's Wine does not look where its own fonts are installed, and Windows has
    # these in its font folder: "Symbol" for the bullets of lists, "Tahoma" for the
    # dialogs' face. ("MS Sans Serif" comes from Wine only as a bitmap face that
    # neither grows nor turns, so it stays mapped to a scalable one.)
    local font fonts="$WINEPREFIX/drive_c/windows/Fonts"
    for font in /usr/share/wine/fonts/{symbol,tahoma,tahomabd,marlett,wingding,webdings}.ttf; do
      [ -e "$fonts/${font##*/}" ] || cp "$font" "$fonts/"
    done
    [ ! -e "$WINEPREFIX/dosdevices/z:" ] || { echo "sandbox: Z: drive still present" >&2; exit 1; }
  ) 9>"$dir/.lock"
}

# sandbox_hold_desktop: opens the sandbox's desktop and keeps it while this shell
# runs. Wine closes a desktop a second after the last program on it has ended, and
# a program that starts just then is left with a desktop window that goes away
# under it: none of its windows can be made ("Cannot create the window ..."), though
# the same program passes alone. Test programs run one after another, each starting
# about when the last one's desktop closes. A console waiting for input that never
# comes stays on the desktop until the wineserver ends; it has no window. The
# desktop is made here, by a program whose output goes nowhere: the desktop's
# process keeps the output of the program that started it open as long as it runs.
sandbox_hold_desktop() {
  exec {sandbox_desktop_holder}> >(exec "$sandbox_wine" cmd.exe >/dev/null 2>&1)
  "$sandbox_wine" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1
}

# sandbox_window_manager yes|no: whether the display the sandbox's programs show on has
# a window manager. Wine lets one manage its windows and waits for it to answer each
# time a window is hidden, two seconds when none ever will (a virtual display has
# none); told there is none, it manages its windows itself.
sandbox_window_manager() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "$1" = no ]; then
    "$sandbox_wine" reg add "$key" /v Managed /d N /f >/dev/null 2>&1
  else
    "$sandbox_wine" reg delete "$key" /v Managed /f >/dev/null 2>&1 || true
  fi
}
