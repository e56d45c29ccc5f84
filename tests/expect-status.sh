#!/bin/sh
# usage: expect-status.sh STATUS COMMAND [ARG...]
# Runs COMMAND and succeeds only when it ends with exit status STATUS.
want=$1
shift
"$@"
got=$?
[ "$got" -eq "$want" ] && exit 0
echo "exit status $got, expected $want" >&2
exit 1
