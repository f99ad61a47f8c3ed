#!/bin/sh
# The display options on the command line, without a display: a scale that is neither fit
# nor integer, or a value given to a flag, is refused with the reason, the usage and exit
# status 2 before any window opens; --help lists every display option.
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
refused() {  # refused <what stderr names> <arguments...>
  named=$1
  shift
  err=$(env -u DISPLAY "$program" "$@" 2>&1 > /dev/null)
  status=$?
  [ "$status" = 2 ] || fail "'$*' exited with $status, not 2"
  echo "$err" | grep -q -- "$named" || fail "'$*' does not name $named: $err"
  echo "$err" | grep -q '^usage:' || fail "'$*' does not show the usage"
}
refused "'huge'" --scale huge
refused "'Integer'" --scale=Integer
refused "needs" --scale
refused "--windowed" --windowed=yes
refused "--fullscreen" --fullscreen=no
help=$("$program" --help) || fail "--help failed"
for option in "--fullscreen" "--windowed" "--scale fit|integer"; do
  echo "$help" | grep -q -- "$option" || fail "--help does not list $option"
done
echo "PASS: display options"
