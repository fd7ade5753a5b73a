#!/bin/sh
# Builds everything and runs the benchmark under Wine on a virtual display,
# printing a line about the machine and then the table.
#   bench/run.sh [path of Bootwise.exe, as Windows sees it]
# BENCH_CPUS: the CPUs the Wine session runs on (taskset list; "all" for no
# pinning; the last CPU by default). BENCH_RAW=1 prints every run's time too.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh >&2
build="$(pwd)/build"
. "$build/wine-env.sh"
"$BOOTWISE_SOURCE_DIR/tests/wine/prepare-prefix.sh"

# Nearly every call a Wine program makes is a round trip to the Wine server.
# On a virtual machine a wake-up on another CPU costs several times one on the
# same CPU, and which it is changes with the scheduler's mood: unpinned, the
# same loop took anywhere from 1x to 5x. So the server, the benchmark and the
# programs it starts share one CPU; the display server runs where it likes.
cpus=${BENCH_CPUS:-$(($(nproc) - 1))}
pin=""
[ "$cpus" = all ] || pin="taskset -c $cpus"

# Another session on this prefix (a test run, most likely) would weigh on the
# timings, and the benchmark's windows would take its focus: wait for it.
# Our own server is started apart from this script's output, so that it is up
# before anything is timed and holds nothing open; it goes by itself a few
# seconds after the last program ends.
limit=${BENCH_WAIT_SECONDS:-600}
waited=0
while ! $pin wineserver -p5 </dev/null >/dev/null 2>&1; do
    if [ "$waited" -eq 0 ]; then
        echo "bench: a Wine session is running on $WINEPREFIX; waiting up to $limit s for it to end" >&2
    fi
    if [ "$waited" -ge "$limit" ]; then
        echo "bench: it is still running; measuring alongside it (and not pinned), so the figures may suffer" >&2
        break
    fi
    sleep 1
    waited=$((waited + 1))
done

model=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "machine: $(uname -m), $(nproc) CPUs (${model:-model unknown}), Wine session on CPU(s) $cpus;" \
     "$(wine --version 2>/dev/null); $(uname -sr); load average $(cut -d' ' -f1-3 /proc/loadavg)"
xvfb-run -a -s "-screen 0 1280x1024x24" $pin "$build/wine-run" "$build/bench/bootwise_bench.exe" "$@"
