# sandbox/wine-arch.sh: sourced with $arch set (i686 or x86_64); sets Wine up for its programs.
#
# i686 programs run in a win32 prefix under the 32-bit loader; x86_64 ones in a win64 prefix
# under the 64-bit loader. The loader is named outright: /usr/bin/wine picks the 32-bit one
# whenever wine32 is installed, even on a machine that cannot execute it.
case ${arch:-} in
    i686)   WINEARCH=win32 WINELOADER=/usr/lib/wine/wine ;;
    x86_64) WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 ;;
    *)      echo "wine-arch.sh: unknown architecture '${arch:-}' (i686 or x86_64)" >&2; exit 2 ;;
esac
export WINEARCH WINELOADER
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine finds the Windows time zone of the Unix one by going through Windows' list of zones, in
# each process that asks for the local time: about 16 server round trips a zone, 800 for UTC,
# nearly a third of a console program's start-up. A fixed +04:30 without daylight saving time is
# the list's first zone (Afghanistan Standard Time), found at once. The programs keep no local
# times; under emulation this is a tenth of the suite's processor time.
export TZ='<+0430>-04:30'
# Keeps Wine from offering to install its .NET and HTML engines in a dialog nobody answers.
# winemenubuilder would turn every shortcut the programs save into a menu entry or desktop
# file on the host, outside the prefix. Without the USB and HID bus drivers no device host
# process watches the host's USB devices for the prefix's whole life.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d;winebus.sys,wineusb.sys=d}"
