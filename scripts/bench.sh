#!/usr/bin/env bash
# Measures Pravex under Wine and writes docs/benchmarks.md: start-up,
# diagnosis time, memory and size, each set against a baseline measured in
# the same run on the same Wine prefix, then where a diagnosis spends its
# time, how quickly the result's text box answers what a user does beside
# the system's text box, how the result window answers during a slow
# upload, and what the text box costs built one way or another.
#
#   scripts/bench.sh [RUNS]        RUNS per figure, 5 to 99 (default 7)
#
# The bench build sends to a test FTP drop on 127.0.0.1, port
# PRAVEX_BENCH_FTP_PORT (default 21031), which this script starts. With
# PRAVEX_BENCH_BEFORE naming another build's Pravex.exe (built for the same
# drop), the interactions are also measured for it, as "before";
# PRAVEX_BENCH_BEFORE_NOTE says in the notes what that build is.
#
# The figures only report. The script fails when something cannot be built
# or run, never because a goal was missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
runs=${1:-7}
doc=$root/docs/benchmarks.md

if ! [[ $runs =~ ^[0-9]+$ ]] || ((runs < 5 || runs > 99)); then
  echo "usage: $0 [RUNS]   (RUNS from 5 to 99)" >&2
  exit 2
fi

ftp_port=${PRAVEX_BENCH_FTP_PORT:-21031}
before=${PRAVEX_BENCH_BEFORE:-}
if [[ -n $before && ! -f $before ]]; then
  echo "bench.sh: PRAVEX_BENCH_BEFORE names no file: $before" >&2
  exit 2
fi

"$root/scripts/install-deps.sh"
timeout 600 cmake --preset windows -B "$build" -DPRAVEX_FTP_HOST=127.0.0.1 \
  -DPRAVEX_FTP_PORT="$ftp_port" >/dev/null
if ! timeout 3600 cmake --build "$build" --target pravex_bench pravex_bench_text_box_probe; then
  echo "bench.sh: the build failed; tools/bench needs add_subdirectory(tools/bench) in the" \
    "top-level CMakeLists.txt (next to tests/e2e)" >&2
  exit 1
fi

source "$root/scripts/wine-prefix.sh"
prepare_wine_prefix "$build/wineprefix"
stop_wineserver() { timeout 30 wineserver -k >/dev/null 2>&1 || true; }
ftp_dir=$build/bench-ftp
ftp_script=$root/tests/ftp_server/ftp_server.sh
stop_ftp_server() {
  PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" stop "$ftp_dir/root" "$ftp_port" >/dev/null 2>&1 || true
}
clean_up() {
  stop_ftp_server
  stop_wineserver
}
trap clean_up EXIT
trap 'exit 143' TERM INT HUP
# Windows must belong to a Wine session started on the display they use.
stop_wineserver

bench=$build/tools/bench
figures=$build/bench-figures.md
interactions=$build/bench-interactions.md
interactions_before=$build/bench-interactions-before.md
probes=$build/bench-probes.md
log=$build/bench-log.txt

# The slow upload's drop; without it that figure says it was not measured.
stop_ftp_server
rm -rf "$ftp_dir"
mkdir -p "$ftp_dir/root"
interaction_args=(--probe="$bench/text_box_probe.exe" --key-hook="$bench/key_hook.dll")
if PRAVEX_FTP_RUN_DIR="$ftp_dir" "$ftp_script" start "$ftp_dir/root" "$ftp_port" \
    "$ftp_dir/mode" "$ftp_dir/server.log" >/dev/null; then
  interaction_args+=(--ftp-mode-file="$ftp_dir/mode")
else
  echo "bench.sh: the test FTP drop did not start on port $ftp_port (see $ftp_dir/server.log)" >&2
fi

# Runs a Windows program under Wine on a virtual display of its own; the
# Wine processes end while the display is still there.
on_virtual_display() {
  local limit=$1
  shift
  timeout -k 10 "$limit" xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'status=0; "$@" || status=$?; wineserver -k 2>/dev/null; exit $status' run "$@"
}

# Runs pravex_bench.exe on the Pravex.exe given first, with the other
# arguments, into the file given second; the limit only catches a hang.
measure() {
  local exe=$1 out=$2 limit=$3
  shift 3
  local status=0
  on_virtual_display "$limit" wine "$bench/pravex_bench.exe" --pravex="$exe" \
    --empty-window="$bench/empty_window.exe" --tools="$build/tools/statustool" --runs="$runs" \
    "$@" >"$out" 2> >(tee -a "$log" >&2) || status=$?
  # 3: the table is there, but some figure could not be measured (it says why).
  if [[ $status -ne 0 && $status -ne 3 ]]; then
    echo "bench.sh: pravex_bench.exe failed on $exe (exit $status); see $log" >&2
    exit 1
  fi
}

echo "Measuring, $runs runs per figure; progress in $log" >&2
: >"$log"
# A 20 MB diagnosis has taken about 40 s per run; the system's text box
# some 90 s a run for its interactions with a 20 MB report.
measure "$build/win32/Pravex.exe" "$figures" $((600 + runs * 240)) --stages
measure "$build/win32/Pravex.exe" "$interactions" $((600 + runs * 300)) --interactions-only \
  "${interaction_args[@]}"
: >"$interactions_before"
if [[ -n $before ]]; then
  measure "$before" "$interactions_before" $((600 + runs * 120)) --interactions-only \
    --pravex-only "${interaction_args[@]}"
fi

# The text box alone, built as Pravex builds it and in other ways, each in
# a process of its own so that its peak memory is its own.
variants=(pravex fitted-first no-wrap)
echo "Probing the text box: ${variants[*]}" >&2
: >"$probes"
for variant in "${variants[@]}"; do
  for bytes in 1000000 20000000; do
    {
      printf '\n#### %s, %s bytes\n\n' "$variant" "$bytes"
      on_virtual_display 300 wine "$bench/text_box_probe.exe" --bytes="$bytes" \
        --variant="$variant" || echo "(the probe did not finish: exit $?)"
    } >>"$probes" 2>>"$log"
  done
done

cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
cores=$(grep -c '^processor' /proc/cpuinfo)
ram=$(awk '/^MemTotal/ {printf "%.1f GB", $2 / 1024 / 1024}' /proc/meminfo)
kernel=$(cat /proc/sys/kernel/osrelease)
wine_version=$(timeout 30 wine --version 2>/dev/null || echo unknown)
date=$(date -u '+%Y-%m-%d %H:%M UTC')

{
  cat <<EOF
# Benchmarks

Written by \`scripts/bench.sh $runs\` on $date. The figures only report;
a missed goal is a **no** in the table, never a failed build.

## Machine

| | |
|---|---|
| CPU | $cpu |
| cores | $cores |
| RAM | $ram |
| kernel | $kernel |
| Wine | $wine_version, 64-bit, virtual X display 1280x1024x24 |

## How each figure is measured

\`tools/bench/pravex_bench.exe\` runs everything in one Wine session on one
prefix (\`build/bench/wineprefix\`), starts every program itself with
\`CreateProcessW\` and ends each one through its process handle. Each figure
is the median of $runs runs; one run of each program before them is not
counted (the first start under Wine reads its files from disk). Programs
are started in turn, baseline and Pravex, so that a slow moment of the
machine falls on both. Before each Pravex run the report files
\`C:\\QuorvelPravexResult_*.txt\` and the key \`HKCU\\Software\\QuorvelPravex\`
(debug mode) are removed. Windows are watched every millisecond.
Kilo and mega are decimal (1 MB = 1,000,000 bytes).

- **Start-up**: from just before \`CreateProcessW\` to the main window
  (class \`PravexMainForm\`) visible. Baseline: \`empty_window.exe\`, which
  registers a class and creates and shows one empty window, started and
  watched the same way.
- **Diagnosis**: Pravex is started with an environment where \`ComSpec\`
  is the interpreter shim (\`cmdshim.exe\`, a stand-in for the interpreter
  under Wine) and the stand-in status tool's folder leads \`PATH\`; the tool
  prints a healthy report of exactly 1 KB, 1 MB or 20 MB
  (\`PRAVEX_SAMPLE=big\`, \`PRAVEX_SAMPLE_BYTES\`). Vastrel is selected, then
  the clock runs from posting \`BM_CLICK\` to Diagnose until the result
  window (\`PravexFormResult\`) is visible and its text box \`Text1\`
  answers \`WM_GETTEXTLENGTH\` with at least the report's size. Baseline: the
  same command line, \`/c qvstatus /product:vastrel>C:\\bench.txt 2<&1\`,
  run by the shim alone with the same environment, hidden and with a console
  of its own as a windowed program starts it, from \`CreateProcessW\` to its
  exit; the run counts only if the file comes out whole. "Pravex's own" is
  what Pravex adds: for start-up its median less the baseline's; for a
  diagnosis, where process starts under Wine spread by tens of milliseconds
  from one run to the next, the median of each run's time less the life of
  the interpreter Pravex itself ran (\`GetProcessTimes\` of the child, found
  as soon as it starts).
- **Memory**: Pravex's peak working set (\`GetProcessMemoryInfo\`,
  \`PeakWorkingSetSize\`, read through the process handle) once the result
  window shows the whole report and its text box, asked for its line count,
  has laid out all of it (it lays out only what is on screen first). Under Wine this is the Linux process's
  peak resident size: it equalled \`VmHWM\` in \`/proc/<pid>/status\` to the
  byte when checked. Baseline: the empty window's peak, which is what Wine
  itself costs a windowed program; Pravex's own with only its main window
  shown is given too.
- **Size**: \`Pravex.exe\` on disk; baseline \`empty_window.exe\`, linked the
  same way (static, stripped).

## Figures

EOF
  tr -d '\r' <"$figures"
  cat <<EOF

## What a user does with the result's text box

Pravex's result window after a diagnosis, and beside it, in the same run,
the system's text box: \`text_box_probe.exe --stay\` builds a window and an
edit control from the result window's table as Pravex did before it had a
text view of its own (same styles, font and geometry, the same composed
text around the same report) and keeps the edit control fitted to the
window as the result window's resize handler does. Each column is the
median of $runs runs, a run of each text box in turn; every run opens its
program anew (untimed) and does the interactions below in this order, each
from a window at rest: its layout complete (asked for its line count), no
update region left in any of its windows and every input before handled.

Done is told honestly. \`key_hook.dll\`, a keyboard hook the benchmark sets
on the program's window thread, signals an event as that thread takes F24,
a key no program here acts on, from its queue; input comes out of the
queue in the order it went in, so when F24, sent right after the timed
input, is taken, that input has been handled. A sent message would not
show it: it is answered before queued input. Painted means that no window
of the program has an update region left and then that a sent \`WM_NULL\`
is answered, which the thread does only between two messages, so after
the paint it was in.

- **resize, painted**: \`SetWindowPos\` makes the window 120 pixels
  narrower (the lines wrap anew), to painted.
- **resize, next key handled**: back to its width, then F24 at once, to
  F24 taken.
- **thumb to line 60,000 (or the end) right after a resize**: the window
  made narrower again, then \`WM_VSCROLL\` \`SB_THUMBPOSITION\` 60,000 posted
  to the text box as another program would, to F24 taken. In Pravex the
  layout has then only just begun.
- **drag of 20 width steps, slowest step**: 20 \`SetWindowPos\` of 8 more
  pixels each, each to painted; the slowest. A drag whose steps have taken
  30 s in all stops after its third: the slowest of fewer steps can only be
  lower; the cell says so.
- **Page Down**, **wheel, one notch** (the pointer over the text box),
  **Ctrl+End**, **typing at the end** (an "x" after Ctrl+End), **typing at
  the start** (after Ctrl+Home): \`SendInput\`, to F24 taken.
- **Ctrl+C until the clipboard holds the text**: all selected
  (\`EM_SETSEL\`), then Ctrl+C, until the clipboard's sequence number has
  changed, it holds Unicode text and its writer has closed it; afterwards
  the text is checked to be the whole text box's.

The goals are Pravex's with the 20 MB report: the next key after a resize
within 1.2 times the resized window's own paint, and every key, wheel
notch and scroll within a frame (16 ms).

During a slow upload (the second table): a diagnosis with a report of
600 KB, Send, the contact window filled and OK to the test FTP drop
(\`tests/ftp_server\`), whose data connection is throttled so that it takes
the report in about 12 s. Until the outcome's box shows, the benchmark asks
the result window to answer a sent \`WM_NULL\` (\`SendMessageTimeoutW\`) and
to take F24 from its queue, one after the other every 20 ms, and keeps the
longest wait of either: whichever is asked when the window stops answering
waits it out. Windows calls a window that leaves its messages for 5 s "Not
Responding".

EOF
  tr -d '\r' <"$interactions"
  if [[ -s $interactions_before ]]; then
    cat <<EOF

Before: the same, measured in the same session on \`$before\` (Pravex's
columns only)${PRAVEX_BENCH_BEFORE_NOTE:+, $PRAVEX_BENCH_BEFORE_NOTE}.

EOF
    tr -d '\r' <"$interactions_before"
  fi
  cat <<EOF

## The text box alone

\`tools/bench/text_box_probe.exe\` takes the steps Pravex takes after the
interpreter has ended, one by one, in a process of its own: read the report
(1 MB at a time), turn its bytes into text, classify it, create a window
and a text box from the result window's table (same styles, font and
twips geometry), compose the text, \`WM_SETTEXT\`, fit the text box to the
window as the result window's resize handler does, show and paint. The
variants build the text box in other ways, so that a change can be judged
on figures before it is made:

- **pravex**: the system's word-wrapping multi-line edit control, as Pravex
  used it before it had a text view of its own (filled first, then fitted:
  width, then height). These figures are why it has one.
- **fitted-first**: the same control given its final size before its text.
- **no-wrap**: the same control with a horizontal scroll bar instead of
  word wrap.

Times are per step; memory is the probe's own working set after the step.
Pravex's own text view (\`win32/text_view/\`), which took the edit control's
place, is in the figures above.
EOF
  tr -d '\r' <"$probes"
} >"$doc"
# The core's loops over a whole report, natively (host build).
timeout 600 cmake --preset host -B "$root/build/bench-host" >/dev/null
timeout 1800 cmake --build "$root/build/bench-host" --target pravex_core_bench >/dev/null
timeout 300 "$root/build/bench-host/tools/core_bench/core_bench" >>"$doc"
echo "Wrote $doc" >&2
