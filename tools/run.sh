#!/bin/sh
# tools/run.sh: installs what is missing, builds, and runs the main job in a sandbox Wine prefix.
#
# With your own display the installer's dialog opens there for you to use. Without one, the
# job runs under a private Xvfb: it waits for the dialog, saves a screenshot of it as
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
echo "== Brantovell.exe, in the sandbox prefix $prefix (prepared like an NT server, shaped as TARGET=$TARGET)"
if [ -z "$started_display" ]; then
    echo "The dialog is on your display ($DISPLAY); press Continue or Cancel there."
    run "$dir/bin/Brantovell.exe" || status=$?
else
    # The pointer waits in a corner, off the links, which light up under it; Xvfb starts it
    # in the middle of the screen, where the centred dialog's e-mail link lies.
    xdotool mousemove 0 0
    run "$dir/bin/Brantovell.exe" &
    installer=$!
    if run "$tools/demo_tool.exe" wait; then
        sleep 0.5
        import -window root "$build/brantovell-dialog.png"
        echo "Screenshot of the dialog: $build/brantovell-dialog.png"
        run "$tools/demo_tool.exe" continue || status=$?
    else
        echo "The dialog did not appear."
        status=1
    fi
    wait $installer || status=$?
fi
echo "Installer exit code: $status"
run "$tools/demo_tool.exe" report

echo
echo "== Uninstall.exe, in the same prefix: the removal of that installation"
removal=0
if [ -z "$started_display" ]; then
    echo "The removal dialog is on your display; press Remove or Cancel there."
    run "$dir/bin/Uninstall.exe" || removal=$?
else
    run "$dir/bin/Uninstall.exe" &
    uninstaller=$!
    if run "$tools/demo_tool.exe" wait-removal; then
        sleep 0.5
        import -window root "$build/uninstall-dialog.png"
        echo "Screenshot of the dialog: $build/uninstall-dialog.png"
        run "$tools/demo_tool.exe" remove || removal=$?
    else
        echo "The removal dialog did not appear."
        removal=1
    fi
    wait $uninstaller || removal=$?
fi
echo "Uninstall exit code: $removal"
run "$tools/demo_tool.exe" report-removal || removal=$?
[ $removal -eq 0 ] || status=$removal

echo
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
exit $status
