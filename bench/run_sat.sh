#!/bin/sh
# Runs one SAT engine's DIMACS driver over a folder of CNF files with a time
# limit per file and prints, per file and in total, the answer against
# expected.tsv, the elapsed time and the peak memory. With -g it also runs
# the engine over random 3-SAT files generated into a scratch folder (no
# expected answers; the drivers check every model they report themselves).
#
# usage: bench/run_sat.sh [-b BUILD_DIR] [-t SECONDS] [-g N:VARS:CLAUSES[:SEED]]... [-a ARG]... -e ENGINE [DIR]
#   BUILD_DIR  build folder holding tests/sat/ENGINE/ENGINE_cnf (default: build)
#   -t         time limit per file, whole seconds (default: 60)
#   -g         generate N random 3-SAT files of VARS variables and CLAUSES
#              clauses (seed default 1); may be given several times
#   -a         an argument passed to the driver before the file (for
#              example -a --proof for proofsat); may be given several times
#   -e         the engine: groupsat, proofsat or coresat (required)
#   -h         print this usage and exit
#   DIR        folder with *.cnf and expected.tsv (file, exit code 10 or 20)
#              (default: ../shared/bench/cnf beside the repository); the
#              name "-" runs the generated files only
# Exit code 1 when an answer is wrong or a driver fails, 2 when an option,
# the folder or the driver is wrong or missing.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/bench_folders.sh"
. "$root/bench/sat_bench_common.sh"
usage() {
  sed -n '2,23s/^# \{0,1\}//p' "$0"
}
build="$root/build"
limit=60
engine=
generate=
arguments=
while getopts "hb:t:g:a:e:" option; do
  case $option in
  h) usage; exit 0 ;;
  b) build=$(absolute_folder run_sat.sh "$OPTARG") || exit 2 ;;
  t) limit=$OPTARG ;;
  g) generate="$generate $OPTARG" ;;
  a) arguments="$arguments $OPTARG" ;;
  e) engine=$OPTARG ;;
  *) usage >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ -n "$engine" ] || {
  echo "run_sat.sh: -e ENGINE is missing (groupsat, proofsat or coresat)" >&2
  exit 2
}
folder=$(sat_data_folder run_sat.sh "$root" "$@") || exit 2

driver="$build/tests/sat/$engine/${engine}_cnf"
[ -x "$driver" ] || { echo "no program $driver" >&2; exit 2; }

sat_open_scratch
for request in $generate; do
  IFS=: read -r n vars clauses seed <<REQUEST
$request
REQUEST
  sat_generate_random3sat "$sat_scratch/generated" "$n" "$vars" "$clauses" \
    "${seed:-1}"
done

printf '%-44s %4s %-13s %-7s %9s %9s\n' file exp answer verdict seconds peak_kb
files=0 correct=0 wrong=0 undecided=0 total_seconds=0 max_kb=0
run_one() {
  path=$1
  expected=$(sat_expected "$path")
  files=$((files + 1))
  # $arguments splits into the driver's arguments.
  # shellcheck disable=SC2086
  sat_run "$limit" "$driver" $arguments "$path"
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
    "$(basename "$path")" "${expected:--}" "$answer" "$verdict" "$seconds" "$kb"
  total_seconds=$(echo "$total_seconds $seconds" | awk '{ print $1 + $2 }')
  [ "$kb" -gt "$max_kb" ] && max_kb=$kb
  return 0
}

if [ "$folder" != - ]; then
  for path in "$folder"/*.cnf; do
    [ -e "$path" ] || continue
    run_one "$path"
  done
fi
for path in "$sat_scratch"/generated/*.cnf; do
  [ -e "$path" ] || continue
  run_one "$path"
done

echo
echo "engine $engine$arguments: files $files, decided correctly $correct," \
  "wrong or failed $wrong, timed out $undecided"
echo "total seconds $total_seconds, largest peak memory $max_kb KB" \
  "(limit: $limit s per file)"
[ $wrong = 0 ]
