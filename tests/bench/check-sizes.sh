#!/bin/sh
# tests/bench/check-sizes.sh: fails when a shipped program is larger than its size limit.
# Usage: check-sizes.sh NAME PATH LIMIT [NAME PATH LIMIT ...]
set -u
status=0
while [ $# -ge 3 ]; do
    name=$1 path=$2 limit=$3
    shift 3
    if [ ! -f "$path" ]; then
        echo "FAIL: $name: $path does not exist"
        status=1
        continue
    fi
    size=$(wc -c <"$path" | tr -d ' ')
    if [ "$size" -le "$limit" ]; then
        echo "ok: $name is $size bytes, limit $limit"
    else
        echo "FAIL: $name is $size bytes, $((size - limit)) over its limit of $limit"
        status=1
    fi
done
if [ $# -ne 0 ]; then
    echo "usage: check-sizes.sh NAME PATH LIMIT [NAME PATH LIMIT ...]" >&2
    exit 2
fi
exit $status
