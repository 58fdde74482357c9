#!/bin/sh
# Compares the three SAT engines' DIMACS drivers (proofsat also with its
# proof recorder on) and, when it is installed, the established solver
# cadical, one process at a time with a time limit per run, over a folder
# of CNF files and over generated random 3-SAT files at clause/variable
# ratio 4.26 and pigeonhole formulas. Prints every run, then per family
# (file name without its index) the number solved, the median time
# (unsolved runs count as slower than any solved one) and its ratio to
# cadical's median. Every answer is checked: against expected.tsv where it
# names the file (the pigeonhole formulas are unsatisfiable), otherwise
# against the other solvers' answers on the file; the drivers check every
# model they report themselves.
#
# usage: bench/compare_sat.sh [-b BUILD_DIR] [-t SECONDS] [-n FILES] [-v VARS] [-p HOLES] [-s SEED] [DIR]
#   BUILD_DIR  build folder holding tests/sat/ENGINE/ENGINE_cnf (default: build)
#   -t         time limit per run, whole seconds (default: 60)
#   -n         random 3-SAT files per size (default: 10)
#   -v         sizes of the random 3-SAT files in variables, in one argument
#              (default: "100 150 200 250"; "" for none)
#   -p         pigeonhole formulas by number of holes, in one argument
#              (default: "6 7 8 9 10"; "" for none)
#   -s         seed of the random files (default: 1)
#   -h         print this usage and exit
#   DIR        folder with *.cnf and expected.tsv (file, exit code 10 or 20)
#              (default: ../shared/bench/cnf beside the repository); the
#              name "-" runs the generated files only
# Exit code 1 when an answer is wrong, two solvers disagree or a driver
# fails, 2 when an option, the folder or a driver is wrong or missing.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/bench_folders.sh"
. "$root/bench/sat_bench_common.sh"
usage() {
  sed -n '2,30s/^# \{0,1\}//p' "$0"
}
build="$root/build"
limit=60
count=10
sizes="100 150 200 250"
holes="6 7 8 9 10"
seed=1
while getopts "hb:t:n:v:p:s:" option; do
  case $option in
  h) usage; exit 0 ;;
  b) build=$(absolute_folder compare_sat.sh "$OPTARG") || exit 2 ;;
  t) limit=$OPTARG ;;
  n) count=$OPTARG ;;
  v) sizes=$OPTARG ;;
  p) holes=$OPTARG ;;
  s) seed=$OPTARG ;;
  *) usage >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
folder=$(sat_data_folder compare_sat.sh "$root" "$@") || exit 2

solvers="groupsat proofsat proofsat+proof coresat"
for engine in groupsat proofsat coresat; do
  driver="$build/tests/sat/$engine/${engine}_cnf"
  [ -x "$driver" ] || { echo "no program $driver" >&2; exit 2; }
done
if command -v cadical >/dev/null 2>&1; then
  solvers="$solvers cadical"
  reference=cadical
else
  echo "cadical is not installed (Debian package cadical): no comparison" \
    "with an established solver" >&2
  reference=
fi

sat_open_scratch
generated=$sat_scratch/generated
for vars in $sizes; do
  sat_generate_random3sat "$generated" "$count" "$vars" \
    "$(awk -v v="$vars" 'BEGIN { printf "%d", v * 4.26 + 0.5 }')" "$seed"
done
for h in $holes; do
  sat_generate_pigeonhole "$generated" "$h"
done

# One line per run: family, file, expected code or "-", solver, exit code,
# seconds.
results=$sat_scratch/results.tsv
: >"$results"
printf '%-34s %3s' file exp
for solver in $solvers; do printf ' %16s' "$solver"; done
echo
run_file() {
  path=$1
  name=$(basename "$path" .cnf)
  family=$(echo "$name" | sed 's/[-_][0-9][0-9]*\(_.*\)\{0,1\}$//')
  expected=$(sat_expected "$path")
  printf '%-34s %3s' "$name" "${expected:--}"
  for solver in $solvers; do
    case $solver in
    proofsat+proof) set -- "$build/tests/sat/proofsat/proofsat_cnf" --proof ;;
    cadical) set -- cadical ;;
    *) set -- "$build/tests/sat/$solver/${solver}_cnf" ;;
    esac
    sat_run "$limit" "$@" "$path"
    case $code in
    10) cell="sat $seconds" ;;
    20) cell="unsat $seconds" ;;
    124) cell=timeout ;;
    *) cell="error($code)" ;;
    esac
    printf ' %16s' "$cell"
    printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$family" "$name" "${expected:--}" \
      "$solver" "$code" "$seconds" >>"$results"
  done
  echo
}
if [ "$folder" != - ]; then
  for path in "$folder"/*.cnf; do
    [ -e "$path" ] || continue
    run_file "$path"
  done
fi
for path in "$generated"/*.cnf; do
  [ -e "$path" ] || continue
  run_file "$path"
done

# The checks, then per family and solver: solved, median and ratio.
echo
awk -F'\t' -v solvers="$solvers" -v reference="$reference" -v limit="$limit" '
  function median(family, solver,   n, i, j, t, list) {
    n = 0
    for (i = 1; i <= files[family]; i++) {
      t = time[family, solver, i]
      for (j = n; j > 0 && list[j] > t; j--)
        list[j + 1] = list[j]
      list[j + 1] = t
      n++
    }
    # Unsolved runs sort last as "infinite"; a median touching one is unknown.
    if (n % 2)
      return list[(n + 1) / 2]
    if (list[n / 2 + 1] == unsolved)
      return unsolved
    return (list[n / 2] + list[n / 2 + 1]) / 2
  }
  BEGIN { unsolved = 1e30 }
  {
    family = $1; file = $2; expected = $3; solver = $4; code = $5
    if (!(family in files)) { order[++families] = family; files[family] = 0 }
    if (!((family, file) in index_of))
      index_of[family, file] = ++files[family]
    i = index_of[family, file]
    decided = code == 10 || code == 20
    time[family, solver, i] = decided ? $6 : unsolved
    if (decided) solved[family, solver]++
    if (code != 10 && code != 20 && code != 124) {
      printf "FAILED: %s on %s, exit code %s\n", solver, file, code
      bad++
    } else if (decided && expected != "-" && code != expected) {
      printf "WRONG: %s on %s answers %s, expected %s\n", solver, file, code, expected
      bad++
    } else if (decided && expected == "-") {
      if (!(file in answer)) {
        answer[file] = code; answerer[file] = solver; unconfirmed[file] = 1
      } else if (answer[file] != code) {
        printf "DISAGREE: %s on %s answers %s, %s answers %s\n",
          solver, file, code, answerer[file], answer[file]
        bad++
      } else
        delete unconfirmed[file]
    }
  }
  END {
    n = split(solvers, list, " ")
    printf "%-26s %5s  %-15s %6s %10s %7s\n", "family", "files", "solver",
      "solved", "median_s", "ratio"
    for (f = 1; f <= families; f++) {
      family = order[f]
      ref = reference == "" ? unsolved : median(family, reference)
      for (s = 1; s <= n; s++) {
        m = median(family, list[s])
        shown = m == unsolved ? ">" limit : sprintf("%.3f", m)
        ratio = m == unsolved || ref == unsolved ? "-" : sprintf("%.2f", m / ref)
        printf "%-26s %5s  %-15s %6d %10s %7s\n", s == 1 ? family : "",
          s == 1 ? files[family] : "", list[s], solved[family, list[s]], shown, ratio
      }
    }
    printf "\nlimit %s s per run; ratio: median time / median time of %s\n",
      limit, reference == "" ? "an established solver (not installed)" : reference
    lone = 0
    for (file in unconfirmed) lone++
    if (lone)
      printf "files without expected answer decided by one solver only: %d\n", lone
    if (bad) printf "%d wrong, disagreeing or failed runs\n", bad
    exit bad > 0
  }' "$results"
