#!/bin/sh
# Runs one SAT engine's DIMACS driver over a folder of CNF files with a time
# limit per file and prints, per file and in total, the answer against
# expected.tsv, the elapsed time and the peak memory. With -g it also runs
# the engine over random 3-SAT files generated into a scratch folder (no
# expected answers; the drivers check every model they report themselves).
#
# usage: bench/run_sat.sh [-b BUILD_DIR] [-t SECONDS] [-g N:VARS:CLAUSES[:SEED]]... -e ENGINE [DIR]
#   BUILD_DIR  build folder holding tests/sat/ENGINE/ENGINE_cnf (default: build)
#   -t         time limit per file (default: 60)
#   -g         generate N random 3-SAT files of VARS variables and CLAUSES
#              clauses (seed default 1); may be given several times
#   -e         the engine: groupsat, proofsat or coresat
#   DIR        folder with *.cnf and expected.tsv (file, exit code 10 or 20)
#              (default: ../shared/bench/cnf beside the repository); the
#              name "-" runs the generated files only
# Exit code 1 when an answer is wrong or a driver fails.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
limit=60
engine=
generate=
while getopts "b:t:g:e:" option; do
  case $option in
  b) build=$(cd "$OPTARG" && pwd) ;;
  t) limit=$OPTARG ;;
  g) generate="$generate $OPTARG" ;;
  e) engine=$OPTARG ;;
  *) sed -n '2,19s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ -n "$engine" ] || { sed -n '2,19s/^# \{0,1\}//p' "$0" >&2; exit 2; }
folder=${1:-$root/../shared/bench/cnf}
[ "$folder" = - ] || folder=$(cd "$folder" && pwd)

driver="$build/tests/sat/$engine/${engine}_cnf"
[ -x "$driver" ] || { echo "no program $driver" >&2; exit 2; }

# The engines write trace and proof files into the working directory: run
# them in a scratch folder.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM
mkdir "$scratch/run" "$scratch/generated"

# Random 3-SAT: each clause has three distinct variables of random signs.
for spec in $generate; do
  echo "$spec" | awk -F: -v dir="$scratch/generated" '{
    n = $1; vars = $2; clauses = $3; seed = ($4 == "" ? 1 : $4)
    srand(seed)
    for (f = 1; f <= n; f++) {
      file = sprintf("%s/random3sat-v%d-c%d-s%d-%02d.cnf", dir, vars, clauses, seed, f)
      printf "p cnf %d %d\n", vars, clauses > file
      for (c = 0; c < clauses; c++) {
        a = 1 + int(rand() * vars)
        do b = 1 + int(rand() * vars); while (b == a)
        do d = 1 + int(rand() * vars); while (d == a || d == b)
        printf "%s%d %s%d %s%d 0\n", (rand() < 0.5 ? "-" : ""), a,
          (rand() < 0.5 ? "-" : ""), b, (rand() < 0.5 ? "-" : ""), d > file
      }
      close(file)
    }
  }'
done

printf '%-44s %4s %-13s %-7s %9s %9s\n' file exp answer verdict seconds peak_kb
files=0 correct=0 wrong=0 undecided=0 total_seconds=0 max_kb=0
run_one() {
  path=$1 expected=$2
  name=$(basename "$path")
  files=$((files + 1))
  code=0
  (
    cd "$scratch/run"
    exec /usr/bin/time -f '%e %M' -o "$scratch/time" \
      timeout "$limit" "$driver" "$path" >/dev/null 2>"$scratch/err"
  ) || code=$?
  set -- $(tail -n 1 "$scratch/time")
  seconds=${1:-$limit} kb=${2:-0}
  case $code in
  10) answer=SATISFIABLE ;;
  20) answer=UNSATISFIABLE ;;
  124) answer=TIMEOUT ;;
  *) answer="ERROR($code)" ;;
  esac
  if [ $code = 10 ] || [ $code = 20 ]; then
    if [ -z "$expected" ]; then
      verdict=-
    elif [ "$code" = "$expected" ]; then
      verdict=ok; correct=$((correct + 1))
    else
      verdict=WRONG; wrong=$((wrong + 1))
    fi
  elif [ $code = 124 ]; then
    verdict=-; undecided=$((undecided + 1))
  else
    verdict=FAILED; wrong=$((wrong + 1))
  fi
  printf '%-44s %4s %-13s %-7s %9s %9s\n' \
    "$name" "${expected:--}" "$answer" "$verdict" "$seconds" "$kb"
  total_seconds=$(echo "$total_seconds $seconds" | awk '{ print $1 + $2 }')
  [ "$kb" -gt "$max_kb" ] && max_kb=$kb
  return 0
}

if [ "$folder" != - ]; then
  for path in "$folder"/*.cnf; do
    expected=$(awk -F'\t' -v f="$(basename "$path")" \
      '$1 == f { print $2 }' "$folder/expected.tsv")
    run_one "$path" "$expected"
  done
fi
for path in "$scratch"/generated/*.cnf; do
  [ -e "$path" ] || continue
  run_one "$path" ""
done

echo
echo "engine $engine: files $files, decided correctly $correct," \
  "wrong or failed $wrong, timed out $undecided"
echo "total seconds $total_seconds, largest peak memory $max_kb KB" \
  "(limit: $limit s per file)"
[ $wrong = 0 ]
