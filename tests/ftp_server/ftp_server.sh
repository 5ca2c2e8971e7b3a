#!/usr/bin/env bash
# Starts, stops or checks the test FTP drop (pravex_ftp_server.py).
#
#   ftp_server.sh start|stop|status ROOT PORT [CONTROL] [LOG]
#
# Its files live in the run directory: PRAVEX_FTP_RUN_DIR, or else ROOT's
# parent. There: pravex_ftp_server.PORT.pid, and by default the mode file
# pravex_ftp_server.PORT.mode and the log pravex_ftp_server.PORT.log.
#
# start   prints the pid once 127.0.0.1:PORT accepts connections (within
#         10 s; if the mode file says "absent", once the server runs).
# stop    ends exactly the recorded pid: TERM, then KILL after 5 s.
# status  prints the pid of the running server.
#
# Exit codes: 0 done; 1 failed (the server did not come up or did not
# end; see the log); 2 usage; 3 /usr/bin/python3 lacks pyftpdlib;
# 4 start: already running, stop/status: not running.
set -uo pipefail

readonly python=/usr/bin/python3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly here
readonly server="$here/pravex_ftp_server.py"
readonly start_limit_tenths=100   # 10 s, polled every 0.1 s
readonly term_limit_tenths=50     # 5 s between TERM and KILL
readonly kill_limit_tenths=20

usage() {
  echo "usage: $0 start|stop|status ROOT PORT [CONTROL] [LOG]" >&2
  exit 2
}

[[ $# -ge 3 && $# -le 5 ]] || usage
action=$1
root=$2
port=$3
[[ $action == start || $action == stop || $action == status ]] || usage
if ! [[ $port =~ ^[0-9]+$ ]] || ((port < 1 || port > 65535)); then usage; fi

root_parent=$(dirname "$root")
run_dir=${PRAVEX_FTP_RUN_DIR:-$root_parent}
pid_file="$run_dir/pravex_ftp_server.$port.pid"
control=${4:-"$run_dir/pravex_ftp_server.$port.mode"}
log=${5:-"$run_dir/pravex_ftp_server.$port.log"}

# True if PID is a live (not zombie) instance of our server on this port;
# guards against a pid reused by another process.
is_our_server() {
  local pid=$1 state cmdline
  [[ $pid =~ ^[0-9]+$ ]] || return 1
  state=$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null) || return 1
  [[ -n $state && $state != Z ]] || return 1
  cmdline=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null) || return 1
  [[ $cmdline == *pravex_ftp_server.py*"--port $port "* ]]
}

recorded_pid() {
  [[ -f $pid_file ]] && head -n 1 "$pid_file"
}

port_accepts() {
  timeout 1 bash -c "exec 3<>/dev/tcp/127.0.0.1/$port" 2>/dev/null
}

# True if PID itself holds the socket listening on 127.0.0.1:PORT; another
# server on that port must not pass for ours while ours is still failing.
listens_on_port() {
  local pid=$1 inode
  local local_address
  local_address=$(printf '0100007F:%04X' "$port")
  while read -r inode; do
    if find "/proc/$pid/fd" -maxdepth 1 -lname "socket:\[$inode\]" 2>/dev/null | grep -q .; then
      return 0
    fi
  done < <(awk -v addr="$local_address" '$2 == addr && $4 == "0A" {print $10}' /proc/net/tcp)
  return 1
}

mode_is_absent() {
  [[ -f $control ]] && [[ $(tr -d '\r\357\273\277' <"$control" | awk 'NR == 1 {print tolower($1)}') == absent ]]
}

show_log_tail() {
  if [[ -f $log ]]; then
    echo "--- last lines of $log:" >&2
    tail -n 15 "$log" >&2
  fi
}

do_start() {
  if ! "$python" -c 'import pyftpdlib' 2>/dev/null; then
    echo "ftp_server.sh: $python cannot import pyftpdlib; install the Debian package:" \
      "apt-get install python3-pyftpdlib" >&2
    exit 3
  fi
  local pid
  pid=$(recorded_pid)
  if is_our_server "$pid"; then
    echo "ftp_server.sh: already running on port $port, pid $pid" >&2
    exit 4
  fi
  rm -f "$pid_file"
  mkdir -p "$run_dir" "$root" || exit 1

  # The server must not inherit descriptors other than 0-2: a caller's lock
  # or pipe held open by it would outlive the caller.
  # shellcheck disable=SC2094  # the log is only ever appended to
  (
    for fd_path in "/proc/$BASHPID/fd/"*; do
      fd=${fd_path##*/}
      if ((fd > 2)); then eval "exec $fd>&-"; fi
    done
    exec "$python" -B "$server" --root "$root" --port "$port" --control "$control" --log "$log"
  ) </dev/null >>"$log" 2>&1 &
  pid=$!
  echo "$pid" >"$pid_file"

  local tenths
  for ((tenths = 0; tenths < start_limit_tenths; tenths++)); do
    if ! is_our_server "$pid"; then
      echo "ftp_server.sh: the server ended at start" >&2
      show_log_tail
      rm -f "$pid_file"
      exit 1
    fi
    if mode_is_absent; then
      # Nothing will listen; being alive after a moment is all we can check.
      if ((tenths >= 5)); then echo "$pid"; exit 0; fi
    elif listens_on_port "$pid" && port_accepts; then
      echo "$pid"
      exit 0
    fi
    sleep 0.1
  done
  echo "ftp_server.sh: port $port did not accept connections within 10 s; stopping pid $pid" >&2
  show_log_tail
  stop_pid "$pid"
  rm -f "$pid_file"
  exit 1
}

# Ends PID: TERM, a bounded wait, then KILL. False if it would not end.
stop_pid() {
  local pid=$1 tenths
  kill -TERM "$pid" 2>/dev/null
  for ((tenths = 0; tenths < term_limit_tenths; tenths++)); do
    is_our_server "$pid" || return 0
    sleep 0.1
  done
  echo "ftp_server.sh: pid $pid ignored TERM; killing it" >&2
  kill -KILL "$pid" 2>/dev/null
  for ((tenths = 0; tenths < kill_limit_tenths; tenths++)); do
    is_our_server "$pid" || return 0
    sleep 0.1
  done
  return 1
}

do_stop() {
  local pid
  pid=$(recorded_pid)
  if ! is_our_server "$pid"; then
    rm -f "$pid_file"
    echo "ftp_server.sh: not running on port $port" >&2
    exit 4
  fi
  if ! stop_pid "$pid"; then
    echo "ftp_server.sh: pid $pid did not end" >&2
    exit 1
  fi
  rm -f "$pid_file"
}

do_status() {
  local pid
  pid=$(recorded_pid)
  if is_our_server "$pid"; then
    echo "$pid"
    exit 0
  fi
  echo "ftp_server.sh: not running on port $port" >&2
  exit 4
}

"do_$action"
