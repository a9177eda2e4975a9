#!/bin/sh
# sandbox/stop-prefix.sh: ends every Wine process of the test prefix, so no test leaves one running.
# Usage: stop-prefix.sh PREFIX   (the wineserver wrapper serves either architecture)
WINEPREFIX=$1 wineserver -k 2>/dev/null
exit 0
