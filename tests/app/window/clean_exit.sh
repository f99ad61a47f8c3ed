# Sourced by the scripts that run the real program: expect_clean_exit <pid> <seconds>
# <message> [log] waits up to <seconds> for the program to end, then fails through the
# caller's `fail` with <message> if it is still running, or if its exit status is not 0
# (adding the log file's text when one is given).
expect_clean_exit() {
  local program=$1 seconds=$2 still_running=$3 log=${4:-}
  for _ in $(seq 1 $((seconds * 4))); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.25
  done
  kill -0 "$program" 2>/dev/null && fail "$still_running"
  wait "$program"
  local status=$?
  [ "$status" = 0 ] || fail "the program exited with $status${log:+: $(cat "$log")}"
}
