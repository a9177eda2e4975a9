#!/bin/sh
# vm/road.sh: prints how the shipped 32-bit programs' runtime suite runs on this machine: native or guest.
#
# native: this machine executes 32-bit code, so the suite runs here under 32-bit Wine.
# guest:  it cannot, so lane_i686 runs the suite in a virtual machine and each test replays
#         the guest's result. I686_ROAD=native or I686_ROAD=guest overrides the probe (the
#         guest can be tried on a machine that would run the suite natively).
set -u
case ${I686_ROAD:-} in
    native | guest) echo "$I686_ROAD"; exit 0 ;;
    '') ;;
    *) echo "road.sh: I686_ROAD is '$I686_ROAD'; it may be native or guest" >&2; exit 2 ;;
esac
if "$(dirname "$0")/../tools/can-run-i686.sh"; then echo native; else echo guest; fi
