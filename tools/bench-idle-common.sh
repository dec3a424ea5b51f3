# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What tools/bench-idle and tools/bench-idle-record share (sourced, not run): their options,
# a throw-away home per run, one meter simulator per meter, a process's CPU time and peak
# memory, the median of the runs and the machine they ran on. The caller defines `fail` and
# `bin` (the folder of the programs).
# shellcheck disable=SC2154  # bin

# [--meters N] [--runs N] [SECONDS [METER]] into meters, runs, seconds and family (the
# options of --meter for simulator and program, empty for the polled meter). The first
# argument is how many positional arguments the tool takes (1: SECONDS, 2: also METER).
parse_idle_options() {
  local most=$1 positional=()
  shift
  meters=1 runs=3 seconds=60 family=()
  while [ $# -gt 0 ]; do
    case $1 in
      --meters | --runs)
        [ $# -ge 2 ] || fail "$1 needs a number"
        printf -v "${1#--}" '%s' "$2"
        shift 2
        ;;
      -*) fail "unknown option $1" ;;
      *)
        positional+=("$1")
        shift
        ;;
    esac
  done
  [ ${#positional[@]} -le "$most" ] || fail "too many arguments: ${positional[*]}"
  seconds=${positional[0]:-60}
  [ -n "${positional[1]:-}" ] && family=(--meter "${positional[1]}")
  [[ $meters =~ ^[1-6]$ ]] || fail "--meters takes 1 to 6, not '$meters'"
  [[ $runs =~ ^[1-9][0-9]*$ ]] || fail "--runs takes a whole number from 1, not '$runs'"
  [[ $seconds =~ ^[1-9][0-9]*$ ]] || fail "SECONDS must be a whole number from 1, not '$seconds'"
  return 0
}

# A fresh private configuration, data and runtime folder in $work, as the end-to-end tests
# use; the programs run in German, the tool prints its figures in the C locale.
new_home() {
  work=$(mktemp -d)
  export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
  export LC_ALL=C
  in_german=(env -u LC_ALL -u LC_NUMERIC -u LANGUAGE LANG=de_DE.UTF-8)  # execs: same process id
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# One simulator a meter, meter n linked as COMn and showing a slow sine around n volts (the
# first one's is the sine the one-meter figures were measured with); waits for every link.
start_simulators() {
  local n
  sims=()
  for n in $(seq "$meters"); do
    "${in_german[@]}" "$bin/kelvor-metersim" --port "$n" "${family[@]}" --values "sine:$n,0.6,30" \
      --mode DC --unit " V" --log "$work/metersim$n.log" >"$work/metersim$n.out" 2>&1 &
    sims+=("$!")
  done
  for n in $(seq "$meters"); do
    for _ in $(seq 100); do
      [ -e "$XDG_CONFIG_HOME/Kelvor/ports/COM$n" ] && break
      sleep 0.05
    done
    [ -e "$XDG_CONFIG_HOME/Kelvor/ports/COM$n" ] || fail "simulator $n did not start"
  done
}

# Ends the given processes (those still running) and removes the run's home.
end_run() {
  local pid
  for pid in "$@"; do kill "$pid" 2>/dev/null && { wait "$pid" 2>/dev/null || true; }; done
  [ -n "${work:-}" ] && rm -rf "$work"
  work=''
  return 0
}

# CPU time (user + system, seconds) and peak resident memory (kB) of process $1.
ticks=$(getconf CLK_TCK)
cpu_seconds() {
  awk -v hz="$ticks" '{ sub(/^.*\) /, ""); printf "%.2f", ($12 + $13) / hz }' "/proc/$1/stat"
}
peak_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

# The median of the numbers given.
median() {
  printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Runs $1, the tool's function for one run, $runs times; the function appends its figures
# to cpu_used, cpu_total, peak_kbs and counts (what it counted per meter), one a run.
run_measurements() {
  load_before=$(cut -d' ' -f1-3 /proc/loadavg)
  cpu_used=() cpu_total=() peak_kbs=() counts=()
  for _ in $(seq "$runs"); do "$1"; done
}

# Each run's figures (cpu_used, cpu_total, peak_kbs: one a run) and their medians, the
# machine and its load; $1 names what was counted per meter, $2 and $3 the targets.
print_figures() {
  local counted=$1 cpu_target=$2 memory_target=$3 i
  echo
  echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')," \
    "$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory," \
    "$(. /etc/os-release && echo "$PRETTY_NAME")"
  echo "Load average before the runs: $load_before; at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
  echo "$runs run(s) of $seconds s with $meters meter(s)${family[1]:+ (${family[1]})}:"
  for i in "${!cpu_used[@]}"; do
    awk -v n=$((i + 1)) -v used="${cpu_used[i]}" -v total="${cpu_total[i]}" -v peak="${peak_kbs[i]}" \
      -v s="$seconds" -v counts="${counts[i]}" -v counted="$counted" 'BEGIN {
      printf "  run %d: %.2f s while recording (%.3f %%), %.2f s since start, %.1f MiB; %s: %s\n",
             n, used, 100 * used / s, total, peak / 1024, counted, counts }'
  done
  awk -v used="$(median "${cpu_used[@]}")" -v total="$(median "${cpu_total[@]}")" \
    -v peak="$(median "${peak_kbs[@]}")" -v s="$seconds" -v runs="$runs" \
    -v cpu_target="$cpu_target" -v memory_target="$memory_target" 'BEGIN {
    printf "Median of %d run(s):\n", runs
    printf "CPU time while recording: %.2f s of %d s = %.3f %% of one core (target below %s)\n",
           used, s, 100 * used / s, cpu_target
    printf "CPU time since start:     %.2f s (start-up included)\n", total
    printf "Peak resident memory:     %.1f MiB (VmHWM; target below %s)\n", peak / 1024, memory_target
  }'
}
