# What the whole-process benchmarks share; sourced after `build` is set. Makes sure
# zurizede-cli is built, gives each run a work folder of its own (removed at the end) as
# its home, so the user's settings change nothing, and times and summarises runs.
cli="$build/app/zurizede-cli"
[ -x "$cli" ] || { cmake -S . -B "$build" >/dev/null; cmake --build "$build" -j "$(nproc)" --target zurizede-cli; }
work=$(mktemp -d "$build/bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config"

# Seconds a shell command takes, its output discarded.
seconds() { local s e; s=$(date +%s.%N); sh -c "$1" >/dev/null 2>&1; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN { printf "%.3f\n", e - s }'; }
# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
