#!/bin/sh
# tools/display.sh: sourced by the run and test scripts; gives Wine an X display.
# With no DISPLAY it starts Xvfb with openbox on it: under a bare Xvfb Wine waits about 2 s
# each time it hides a top-level window, and a window manager removes that wait.
# stop_display ends what was started here.
started_display=""
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 91 140); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:$n
        i=0
        while [ ! -e /tmp/.X11-unix/X$n ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
        openbox >/dev/null 2>&1 &
        openbox_pid=$!
        started_display="$xvfb_pid $openbox_pid"
        sleep 0.5
        break
    done
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "display.sh: no free X display number between :91 and :140 for Xvfb" >&2
    exit 1
fi
stop_display() {
    [ -n "$started_display" ] && kill $started_display 2>/dev/null
    started_display=""
}
