#!/usr/bin/env bash
# Runs zarni-bench several times under the environment the GtkTextView comparison needs
# (Xvfb when there is no display, image rendering, malloc-backed GLib slices) and prints the
# table aggregated over the runs, then runs the picture and animation workloads (--gif) and
# the editor text format save and load workloads (--etf) and prints their tables.
# Usage: scripts/bench.sh [path/to/zarni-bench]
# BENCH_RUNS (default 5) sets the number of process runs, BENCH_ARGS passes options to each
# run (for example "--grow" or "--sizes 10000,100000"), BENCH_GIF_RUNS (default 3, 0 for
# none) the number of --gif runs, BENCH_ETF_RUNS (default 3, 0 for none) the number of --etf
# runs, BENCH_ETF_ARGS options to each of those (for example "--etf-sizes 1" or
# "--etf-phases"), BENCH_OUT the results folder.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${1:-$root/build-bench/bench/zarni-bench}"
runs="${BENCH_RUNS:-5}"
gif_runs="${BENCH_GIF_RUNS:-3}"
etf_runs="${BENCH_ETF_RUNS:-3}"
out="${BENCH_OUT:-$root/build-bench/bench-results}"
read -r -a args <<<"${BENCH_ARGS:-}"
read -r -a etf_args <<<"${BENCH_ETF_ARGS:-}"

if [ ! -x "$bin" ]; then
    echo "bench.sh: $bin is not built (run make bench)" >&2
    exit 2
fi

export GDK_RENDERING=image
export G_SLICE=always-malloc
# Nothing outside the process takes part: no accessibility bus, no settings daemon.
export NO_AT_BRIDGE=1
export GSETTINGS_BACKEND=memory
export GTK_THEME=Adwaita
export LC_ALL=C.UTF-8

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "bench.sh: no DISPLAY and no Xvfb (bash scripts/deps.sh bench)" >&2
        exit 2
    fi
    # Xvfb picks a free display number and writes it to descriptor 3.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "bench.sh: Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        exit 2
    fi
    export DISPLAY=":$(head -n 1 "$work/display")"
    echo "bench.sh: started Xvfb on $DISPLAY" >&2
fi

mkdir -p "$out"
rm -f "$out"/run*.tsv "$out"/run*.txt "$out"/stderr.log "$out"/table.txt
rm -f "$out"/gif*.tsv "$out"/gif*.txt
rm -f "$out"/etf*.tsv "$out"/etf*.txt
start=$SECONDS
for i in $(seq 1 "$runs"); do
    echo "bench.sh: process run $i of $runs" >&2
    # A failed check makes a run exit 1; its figures still count and the table shows why.
    "$bin" --run "$i" --raw "$out/run$i.tsv" "${args[@]}" >"$out/run$i.txt" 2>>"$out/stderr.log" ||
        [ $? -eq 1 ]
done
echo "bench.sh: $runs runs took $((SECONDS - start)) s; raw results in $out" >&2
status=0
"$bin" --table "$out"/run*.tsv | tee "$out/table.txt" || status=$?

if [ "$gif_runs" -gt 0 ]; then
    start=$SECONDS
    for i in $(seq 1 "$gif_runs"); do
        echo "bench.sh: picture and animation run $i of $gif_runs" >&2
        "$bin" --gif --run "$i" --raw "$out/gif$i.tsv" >"$out/gif$i.txt" 2>>"$out/stderr.log" ||
            [ $? -eq 1 ]
    done
    echo "bench.sh: $gif_runs picture and animation runs took $((SECONDS - start)) s" >&2
    "$bin" --table "$out"/gif*.tsv | tee "$out/gif-table.txt" || status=$?
fi

if [ "$etf_runs" -gt 0 ]; then
    start=$SECONDS
    for i in $(seq 1 "$etf_runs"); do
        echo "bench.sh: editor text format run $i of $etf_runs" >&2
        "$bin" --etf --run "$i" --raw "$out/etf$i.tsv" "${etf_args[@]}" >"$out/etf$i.txt" \
            2>>"$out/stderr.log" || [ $? -eq 1 ]
    done
    echo "bench.sh: $etf_runs editor text format runs took $((SECONDS - start)) s" >&2
    "$bin" --table "$out"/etf*.tsv | tee "$out/etf-table.txt" || status=$?
fi
exit "$status"
