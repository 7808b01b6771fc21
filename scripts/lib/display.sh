# A virtual X display for Wine's windows, on a free display number.

# start_virtual_display: starts Xvfb and exports DISPLAY; stop_virtual_display ends it.
start_virtual_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    quillmere_xvfb=$!
    local i
    for i in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$quillmere_xvfb" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "Could not start a virtual display" >&2
  return 1
}

stop_virtual_display() {
  [ -n "${quillmere_xvfb:-}" ] && kill "$quillmere_xvfb" 2>/dev/null
  quillmere_xvfb=
}
