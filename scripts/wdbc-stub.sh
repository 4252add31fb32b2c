# Sourced by the scripts that run a program against the local web-database
# stand-in: start_wdbc_stub BUILD PORT starts build/tests/wdbc-stub on
# 127.0.0.1:PORT, waits until it listens, and stops it by its process id when
# the calling script ends. Exits the script when the stub does not start.
start_wdbc_stub() {
  wdbc_log=$(mktemp)
  "$1/tests/wdbc-stub" --port "$2" >"$wdbc_log" 2>&1 &
  wdbc_stub=$!
  trap 'kill $wdbc_stub 2>/dev/null; wait $wdbc_stub 2>/dev/null; rm -f "$wdbc_log"' EXIT INT TERM
  wdbc_tries=0
  until grep -q listening "$wdbc_log"; do
    if ! kill -0 $wdbc_stub 2>/dev/null || [ $wdbc_tries -ge 50 ]; then
      cat "$wdbc_log" >&2
      echo "$(basename "$0"): the web-database stand-in did not start" >&2
      exit 1
    fi
    wdbc_tries=$((wdbc_tries + 1))
    sleep 0.1
  done
}
