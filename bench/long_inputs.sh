#!/bin/sh
# Times the programs on inputs that are long in one direction, each family
# at two sizes ten times apart: a cost in proportion to the size shows as a
# factor of about 10 between a family's two rows, a cost growing with the
# square of the size as a factor of about 100.
#
# usage: bench/long_inputs.sh [-b BUILD_DIR] [-t SECONDS]
#   BUILD_DIR  build folder holding qbf_solver/morvane and the tests' tools
#              (default: build)
#   -t         time limit per run in seconds (default: 60)
#   -h         print this usage and exit
# The families:
#   long-clause N        morvane: one clause of N existential literals
#                        beside a universal variable
#   units-against N      morvane: N unit clauses and one clause of their
#                        negations
#   certificate-files N  morvane --save-certificate over N input files
#   groupsat-clause N    the Groupsat DIMACS driver: one clause of N literals
#   proofsat-clause N    the Proofsat DIMACS driver: the same
#   certificate-check N  the tests' certificate checker on the certificate
#                        of one clause of N literals
#   oracle-clause N      the tests' brute-force oracle on one clause of N
#                        literals over 16 variables
# Exit code 1 when a run gives a wrong answer, 2 when an option or a
# program is wrong or missing.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
limit=60
usage() {
  sed -n '2,26s/^# \{0,1\}//p' "$0"
}
while getopts "hb:t:" option; do
  case $option in
  h) usage; exit 0 ;;
  b) build=$OPTARG ;;
  t) limit=$OPTARG ;;
  *) usage >&2; exit 2 ;;
  esac
done

# The runs work in a scratch folder.
case $build in /*) ;; *) build="$PWD/$build" ;; esac
morvane="$build/qbf_solver/morvane"
groupsat="$build/tests/sat/groupsat/groupsat_cnf"
proofsat="$build/tests/sat/proofsat/proofsat_cnf"
checker="$build/tests/qbf_solver/qbf_certificate_check"
oracle="$build/tests/qbf_solver/qbf_oracle_answer"
for program in "$morvane" "$groupsat" "$proofsat" "$checker" "$oracle"; do
  [ -x "$program" ] || {
    echo "long_inputs.sh: no program $program" >&2
    exit 2
  }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM
cd "$scratch"

# clause FIRST LAST: the literals FIRST to LAST and the closing 0, on one
# line.
clause() {
  awk -v first="$1" -v last="$2" \
    'BEGIN { for (v = first; v <= last; v++) printf "%d ", v; print "0" }'
}

# timed EXPECTED COMMAND...: runs COMMAND with the time limit and sets
# $seconds and $verdict (ok, WRONG or TIMEOUT) by its exit code.
timed() {
  expected=$1
  shift
  code=0
  /usr/bin/time -f '%e' -o "$scratch/time" timeout "$limit" "$@" \
    >"$scratch/out" 2>"$scratch/err" || code=$?
  seconds=$(tail -n 1 "$scratch/time")
  case $code in
  "$expected") verdict=ok ;;
  124) verdict=TIMEOUT seconds=$limit ;;
  *) verdict=WRONG wrong=$((wrong + 1)) ;;
  esac
}

report() {
  printf '%-19s %7s %9s %s\n' "$1" "$2" "$seconds" "$verdict"
}

wrong=0
printf '%-19s %7s %9s %s\n' family size seconds verdict
for n in 10000 100000; do
  { echo "e $(clause 1 "$n")"; echo "a $((n + 1)) 0"; echo "e $((n + 2)) 0"
    echo "$((n + 2)) $(clause 1 "$n")"; echo "-$((n + 2)) 0"; } >f.qdimacs
  timed 10 "$morvane" f.qdimacs
  report long-clause "$n"
done

for n in 1000 10000; do
  { echo "p cnf $n $((n + 1))"
    awk -v n="$n" 'BEGIN { for (v = 1; v <= n; v++) print v, 0 }'
    clause "-$n" -1; } >f.qdimacs
  timed 20 "$morvane" f.qdimacs
  report units-against "$n"
done

for n in 250 2000; do
  mkdir "files$n"
  awk -v n="$n" -v dir="files$n" \
    'BEGIN { for (i = 1; i <= n; i++) print "e 1 0\n1 0" > (dir "/f" i) }'
  cd "files$n"
  # shellcheck disable=SC2046
  timed 0 "$morvane" --save-certificate $(ls)
  [ "$(ls ./*.qbc | wc -l)" = "$n" ] || {
    verdict=WRONG; wrong=$((wrong + 1)); }
  cd ..
  report certificate-files "$n"
done

for n in 10000 100000; do
  { echo "p cnf $n 1"; clause 1 "$n"; } >f.cnf
  timed 10 "$groupsat" f.cnf
  report groupsat-clause "$n"
  timed 10 "$proofsat" f.cnf
  report proofsat-clause "$n"
done

for n in 10000 100000; do
  { echo "e $(clause 1 "$n")"; clause 1 "$n"; } >f.qdimacs
  rm -f f.qdimacs.qbc
  "$morvane" --save-certificate f.qdimacs 2>/dev/null || true
  timed 0 "$checker" f.qdimacs f.qdimacs.qbc
  report certificate-check "$n"
done

for n in 10000 100000; do
  { echo "e $(clause 1 16)"
    awk -v n="$n" 'BEGIN { for (i = 0; i < n; i++) printf "%d ", i % 16 + 1
      print "0" }'; } >f.qdimacs
  timed 0 "$oracle" f.qdimacs
  report oracle-clause "$n"
done

[ $wrong = 0 ]
