#!/bin/sh
# tools/run.sh: installs what is missing, builds, and runs the main job in a sandbox Wine prefix.
#
# It runs the launcher and lists the programs' digests, then the installation and, to end with,
# its removal. With your own display the dialogs open there for you to use. Without one, the job
# runs under a private Xvfb: it waits for the installer's dialog, saves a screenshot of it as
# build/brantovell-dialog.png, presses Continue itself, and prints what the installation wrote;
# then it runs Uninstall.exe the same way (build/uninstall-dialog.png), presses Remove, and
# prints the removal's report and what is left of the installation (nothing).
# It runs the shipped 32-bit programs where this machine executes 32-bit code, and their x86_64
# twins, built from the same sources, where it cannot.
#
# The prefix takes the shape of Windows Server 2003, the commonest target; TARGET=nt40 (or
# win2k, winxp, win2003) shows the installer on that Windows' shape instead.
set -eu
. "$(dirname "$0")/lib/project.sh"
TARGET=${TARGET:-win2003}
if ! target_known "$TARGET"; then
    echo "run.sh: unknown TARGET '$TARGET'; it may be one of: $targets" >&2
    exit 2
fi
start_job main
tools=$dir/sandbox
run() { "$top/sandbox/wine-run.sh" "$arch" "$prefix" "$@"; }
status=0

if [ "$arch" = i686 ]; then
    echo "Running the shipped 32-bit programs, $dir/bin."
else
    echo "This machine cannot execute 32-bit code: running the x86_64 twins, $dir/bin, built from"
    echo "the same sources as the shipped 32-bit programs in $build/bin."
fi
echo "== launcher.exe"
rm -f "$prefix/drive_c/tools/urls.log"
run "$dir/bin/launcher.exe" || status=$?
i=0
# The launcher has ended; the recorder it asked the shell for may still be starting.
while [ ! -s "$prefix/drive_c/tools/urls.log" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
echo "URLs the shell was asked to open:"
sed 's/^/  /' "$prefix/drive_c/tools/urls.log" 2>/dev/null || echo "  (none)"

echo
echo "== SHA-256 of the shipped programs, $build/bin/SHA256SUMS (check a copy: sha256sum -c SHA256SUMS)"
sed 's/^/  /' "$build/bin/SHA256SUMS"

# Runs a program with a dialog. On your own display you use the dialog yourself; otherwise the
# demo tool waits for it (WAIT), a screenshot is saved, and the tool presses its button and
# prints the answer (ACTION). The program's status, or the tool's when that failed.
drive() { # EXE WAIT ACTION SCREENSHOT
    if [ -z "$started_display" ]; then
        echo "The dialog is on your display ($DISPLAY); use it there."
        run "$1"
        return
    fi
    _status=0
    run "$1" &
    _program=$!
    if run "$tools/demo_tool.exe" "$2"; then
        sleep 0.5
        import -window root "$4"
        echo "Screenshot of the dialog: $4"
        run "$tools/demo_tool.exe" "$3" || _status=$?
    else
        echo "The dialog did not appear."
        _status=1
    fi
    wait $_program || _status=$?
    return $_status
}

echo
echo "== Brantovell.exe, in the sandbox prefix $prefix (prepared like an NT server, shaped as TARGET=$TARGET)"
# The pointer waits in a corner, off the links, which light up under it; Xvfb starts it in the
# middle of the screen, where the centred dialog's e-mail link lies.
[ -z "$started_display" ] || xdotool mousemove 0 0
installer=0
drive "$dir/bin/Brantovell.exe" wait continue "$build/brantovell-dialog.png" || installer=$?
echo "Installer exit code: $installer"
run "$tools/demo_tool.exe" report

echo
echo "== Uninstall.exe, in the same prefix: the removal of that installation"
removal=0
drive "$dir/bin/Uninstall.exe" wait-removal remove "$build/uninstall-dialog.png" || removal=$?
echo "Uninstall exit code: $removal"
run "$tools/demo_tool.exe" report-removal || removal=$?
[ $installer -eq 0 ] || status=$installer
[ $removal -eq 0 ] || status=$removal
exit $status
