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
# Keeps Wine from offering to install its .NET and HTML engines in a dialog nobody answers.
# winemenubuilder would turn every shortcut the programs save into a menu entry or desktop
# file on the host, outside the prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
