# tools/lib/project.sh: sourced by every script; where things lie, which architecture runs here, how the 32-bit suite runs.
#
# Sourcing it sets variables and defines functions, nothing more: it starts no process and never
# ends its caller. A decision that needs a probe is made by a function the first time it is
# asked, and kept for the rest of the process in the variable named like the function.
#
#   top, build              the checkout, and the shipped i686 build in it (BUILD_DIR: another)
#   ARCHES                  i686, what ships, and x86_64, its twins built from the same sources
#   arch_build_dir ARCH     prints the build folder of ARCH
#   prefix_dir ARCH JOB     prints the Wine prefix of a job in ARCH's build: test, main or bench
#   i686_runs_here          succeeds where this machine executes 32-bit x86 code
#   runnable_arch           sets runnable_arch: the architecture whose programs run here
#   i686_road               sets i686_road: how the shipped programs' runtime suite runs here
#   keep_road BUILD         writes i686_road down for the build's tests (lane_i686 does, once)
#   lane_road BUILD         sets lane_road: the road that lane_i686 wrote down for BUILD
#   start_display, stop_display    an X display for Wine, and its end
#   target_known NAME       succeeds for a target Windows the sandbox can shape a prefix as
#   start_job JOB, stop_job        what the main job and the benchmark do first and last

# The checkout is the folder above the command's own: every command lies in tools/ or vm/. A
# caller that holds the paths as CTest's files name them (the lane, and the guest's runner,
# whose own file lies elsewhere) sets top and build after sourcing this: the functions read
# them when called. Nothing inherited stands for a decision: each process makes its own.
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
ARCHES="i686 x86_64"
i686_runs_here="" runnable_arch="" i686_road="" lane_road=""

arch_build_dir() { # ARCH
    case $1 in
        i686)   echo "$build" ;;
        x86_64) echo "$build/x86_64" ;;
        *)      echo "${0##*/}: unknown architecture '$1' (i686 or x86_64)" >&2; return 2 ;;
    esac
}

# Each job has a prefix of its own, so none sees another's leftovers. The test prefix is the
# first of the two that cmake/RuntimeTests.cmake gives the runtime suite; both are copies of its
# pristine, PREFIX.pristine.
prefix_dir() { # ARCH JOB
    case $2 in
        test)  _job=wineprefix ;;
        main)  _job=mainprefix ;;
        bench) _job=benchprefix ;;
        *)     echo "${0##*/}: unknown job '$2' (test, main or bench)" >&2; return 2 ;;
    esac
    _dir=$(arch_build_dir "$1") || return
    echo "$_dir/$_job"
}

# Whether this machine executes 32-bit x86 code: a 96-byte 32-bit Linux program tells, one that
# does nothing but exit with status 42 through int 0x80. A kernel without 32-bit emulation
# refuses it before any instruction runs, and Wine's 32-bit half needs exactly what it needs. It
# costs a millisecond. It is written with printf alone: setup asks before anything, Python
# included, is installed.
probe_i686() {
    _probe=$(mktemp "${TMPDIR:-/tmp}/i686-probe.XXXXXX") || return 1
    {
        # ELF header: 32-bit, little-endian, version 1; an i386 executable; entry 0x08048054,
        # right after the headers; one program header at offset 52, 32 bytes, no sections.
        printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'
        printf '\002\000\003\000\001\000\000\000\124\200\004\010'
        printf '\064\000\000\000\000\000\000\000\000\000\000\000'
        printf '\064\000\040\000\001\000\000\000\000\000\000\000'
        # The one segment: the whole file, at 0x08048000, readable and executable.
        printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'
        printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'
        # mov eax, 1; mov ebx, 42; int 0x80
        printf '\270\001\000\000\000\273\052\000\000\000\315\200'
    } >"$_probe" && chmod +x "$_probe" && "$_probe" >/dev/null 2>&1
    _status=$?
    rm -f "$_probe"
    [ "$_status" -eq 42 ]
}

i686_runs_here() {
    if [ -z "${i686_runs_here:-}" ]; then
        if probe_i686; then i686_runs_here=yes; else i686_runs_here=no; fi
    fi
    [ "$i686_runs_here" = yes ]
}

# The main job and the benchmark run the shipped i686 programs where this machine executes
# 32-bit code, and their x86_64 twins where it cannot.
runnable_arch() {
    if i686_runs_here; then runnable_arch=i686; else runnable_arch=x86_64; fi
}

# native: the shipped programs' runtime suite runs here under 32-bit Wine. guest: this machine
# cannot execute 32-bit code, so lane_i686 runs the suite in a virtual machine and each _i686
# test replays the guest's result. I686_ROAD=native or guest overrides the probe, so that the
# guest can be tried on a machine that would run the suite natively.
i686_road() {
    [ -z "${i686_road:-}" ] || return 0
    case ${I686_ROAD:-} in
        native | guest) i686_road=$I686_ROAD ;;
        '') if i686_runs_here; then i686_road=native; else i686_road=guest; fi ;;
        *)  echo "${0##*/}: I686_ROAD is '$I686_ROAD'; it may be native or guest" >&2; return 2 ;;
    esac
}

# lane_i686, which every _i686 test needs, decides the road once per test run and writes it into
# the build; each test reads it there instead of asking the machine again.
keep_road() { # BUILD
    i686_road || return
    mkdir -p "$1/lane" && echo "$i686_road" >"$1/lane/road"
}
lane_road() { # BUILD
    lane_road=$(cat "$1/lane/road" 2>/dev/null) || lane_road=""
    case $lane_road in
        native | guest) ;;
        *) lane_road=""; return 1 ;;
    esac
}

# Every wait of the scripts and their tests: polls the command until it succeeds (0) or the
# deadline, long enough for emulation, has passed (2).
wait_seconds=60
await() { # COMMAND [ARGS...]
    _deadline=$(( $(date +%s) + wait_seconds ))
    until "$@"; do
        [ "$(date +%s)" -lt "$_deadline" ] || return 2
        sleep 0.05
    done
}

# A wait for a helper process: until the test (-e FILE is there, -s FILE holds something) holds
# (0), the process PID has ended without that (1), or the deadline has passed (2).
file_or_end() { test "$1" "$2" || ! kill -0 "$3" 2>/dev/null; }
await_file() { # -e|-s FILE PID
    await file_or_end "$@" || return
    test "$1" "$2" || return 1
}

# An X display for Wine: yours when DISPLAY is set; otherwise a private Xvfb with openbox on it,
# because under a bare Xvfb Wine waits about 2 s each time it hides a top-level window and a
# window manager removes that wait. It returns once Xvfb takes connections and openbox manages
# the screen. Two runs started together (another checkout's, say) may pick the same free number:
# Xvfb then ends at once for the one that lost, whose number another server's socket holds now,
# and that one tries the next number.
started_display=""
display_ready=""
start_display() {
    [ -z "${DISPLAY:-}" ] || return 0
    display_ready=$(mktemp -d "${TMPDIR:-/tmp}/display.XXXXXX") || return 1
    for _n in $(seq 91 140); do
        if [ -e "/tmp/.X11-unix/X$_n" ] || [ -e "/tmp/.X$_n-lock" ]; then continue; fi
        # Xvfb writes its number into descriptor 3 once it takes connections.
        rm -f "$display_ready/xvfb"
        Xvfb ":$_n" -screen 0 1024x768x24 -nolisten tcp -displayfd 3 \
            3>"$display_ready/xvfb" </dev/null >"$display_ready/xvfb.log" 2>&1 &
        started_display=$!
        _status=0
        await_file -s "$display_ready/xvfb" "$started_display" || _status=$?
        if [ "$_status" -eq 1 ] && [ -e "/tmp/.X11-unix/X$_n" ]; then
            started_display=""
            continue
        fi
        case $_status in
            1) display_failed "Xvfb :$_n ended before it took connections" xvfb; return 1 ;;
            2) display_failed "Xvfb :$_n did not take connections within $wait_seconds s" xvfb; return 1 ;;
        esac
        # openbox runs its startup command once it manages the screen.
        DISPLAY=":$_n" openbox --startup "touch '$display_ready/openbox'" \
            </dev/null >"$display_ready/openbox.log" 2>&1 &
        started_display="$started_display $!"
        _status=0
        await_file -e "$display_ready/openbox" "$!" || _status=$?
        case $_status in
            1) display_failed "openbox ended before it managed the display :$_n" openbox; return 1 ;;
            2) display_failed "openbox did not manage the display :$_n within $wait_seconds s" openbox; return 1 ;;
        esac
        export DISPLAY=":$_n"
        return 0
    done
    display_failed "no free X display number between :91 and :140 for Xvfb"
    return 1
}
display_failed() { # WHAT [PROGRAM whose output to show]
    echo "${0##*/}: $1" >&2
    if [ -n "${2:-}" ] && [ -s "$display_ready/$2.log" ]; then
        echo "${0##*/}: the end of its output:" >&2
        tail -n 5 "$display_ready/$2.log" >&2
    fi
    stop_display
}
stop_display() {
    [ -z "$started_display" ] || kill $started_display 2>/dev/null || true
    [ -z "$display_ready" ] || rm -rf "$display_ready"
    started_display=""
    display_ready=""
    return 0
}

# The target Windows whose shape a prefix can take: prepare_prefix's names (harness/Server.cpp
# keeps the table), here so that a job refuses a wrong one before it builds anything.
targets="nt40 win2k winxp win2003"
target_known() { # NAME
    for _t in $targets; do [ "$1" = "$_t" ] && return 0; done
    return 1
}

# The main job and the benchmark start alike: what is missing installed, everything built, the
# programs of the architecture this machine runs, a fresh prefix of the job's own prepared like
# an NT server (of the target Windows' shape TARGET, where set), a display. Nothing started here
# outlives the job, whichever way it ends. Sets arch, dir (the build of arch) and prefix.
start_job() { # JOB: main or bench
    "$top/tools/setup.sh"
    "$top/tools/build.sh"
    runnable_arch
    arch=$runnable_arch
    dir=$(arch_build_dir "$arch")
    prefix=$(prefix_dir "$arch" "$1")
    trap stop_job EXIT
    trap 'exit 130' INT TERM
    start_display
    # The prefix keeps a persistent wineserver with the desktop and the services started, so no
    # program of the job pays for Wine's own start-up.
    "$top/sandbox/make-prefix.sh" "$arch" "$prefix" "$prefix.pristine" \
        "$dir/sandbox/prepare_prefix.exe" "$dir/sandbox/url_recorder.exe" \
        ${TARGET:-}
}
stop_job() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    stop_display
}
