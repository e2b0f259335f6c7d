# Sourced by the scripts that run a test on a desktop of its own (under_wm, under_weston):
# an Xvfb server that nobody else uses, started and waited for the same way for each.

# wait_for <who> <what> <log> <check...>: polls the check every 50 ms for at most 10 s;
# fails with "<who>: <what>" and the log otherwise.
wait_for() {
  local who=$1 what=$2 log=$3
  shift 3
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.05
  done
  echo "$who: $what" >&2
  cat "$log" >&2
  exit 1
}

# start_own_xvfb <who> <scratch folder> <WxHxD>: starts the server, sets `xvfb` to its
# process, and exports DISPLAY once the server answers there. The server picks a free
# display number itself and writes it once it accepts clients, so several of these
# started at the same moment never race for one number.
start_own_xvfb() {
  local who=$1 scratch=$2 screen=$3
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
  xvfb=$!
  wait_for "$who" "Xvfb did not start" "$scratch/xvfb.log" grep -q '^[0-9]' "$scratch/display"
  export DISPLAY=:$(head -n1 "$scratch/display")
  unset XAUTHORITY  # the server has no cookie; the outer server's would not match it
  wait_for "$who" "Xvfb does not answer on $DISPLAY" "$scratch/xvfb.log" \
    sh -c 'xdpyinfo >/dev/null 2>&1'
}
