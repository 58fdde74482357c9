#!/bin/sh
# Runs morvane over a folder of QDIMACS files with a time limit per file and
# prints, per file and in total, the answer against expected.tsv, the elapsed
# time and the peak memory. With -c it also checks each certificate with the
# tests' independent checker.
#
# usage: bench/run_qdimacs.sh [-b BUILD_DIR] [-t SECONDS] [-m MB] [-c] [-k SECONDS] [DIR]
#   BUILD_DIR  build folder holding qbf_solver/morvane (default: build)
#   -t         time limit per file in seconds (default: 60)
#   -m         address-space limit per file in MB (default: 8192); past it
#              morvane answers ERROR, out of memory
#   -c         check each certificate with the tests' checker
#   -k         time limit per certificate check (default: 300)
#   -h         print this usage and exit
#   DIR        folder with *.qdimacs and expected.tsv
#              (default: ../shared/bench/qdimacs beside the repository)
# Exit code 1 when an answer is wrong or a certificate is rejected, 2 when
# an option, the folder or a program is wrong or missing.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/bench/bench_folders.sh"
build="$root/build"
limit=60
memory=8192
check=0
check_limit=300
usage() {
  sed -n '2,19s/^# \{0,1\}//p' "$0"
}
while getopts "hb:t:m:ck:" option; do
  case $option in
  h) usage; exit 0 ;;
  b) build=$OPTARG ;;
  t) limit=$OPTARG ;;
  m) memory=$OPTARG ;;
  c) check=1 ;;
  k) check_limit=$OPTARG ;;
  *) usage >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
folder=$(data_folder run_qdimacs.sh "$root" qdimacs "$@") || exit 2

morvane="$build/qbf_solver/morvane"
checker="$build/tests/qbf_solver/qbf_certificate_check"
[ -x "$morvane" ] || { echo "no program $morvane" >&2; exit 2; }
if [ $check = 1 ] && [ ! -x "$checker" ]; then
  echo "no checker $checker" >&2; exit 2
fi

# Certificates are written next to the input: run on links in a scratch
# folder so that the data folder stays untouched.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM

printf '%-54s %4s %-8s %-7s %9s %9s %s\n' \
  file exp answer verdict seconds peak_kb certificate
files=0 correct=0 wrong=0 undecided=0 certified=0 rejected=0
total_seconds=0 max_kb=0
for path in "$folder"/*.qdimacs; do
  [ -e "$path" ] || continue
  name=$(basename "$path")
  files=$((files + 1))
  expected=$(awk -F'\t' -v f="$name" '$1 == f { print $2 }' \
    "$folder/expected.tsv")
  link="$scratch/$name"
  ln -sf "$path" "$link"
  options=
  [ $check = 1 ] && options=--save-certificate
  code=0
  (
    ulimit -v $((memory * 1024))
    exec /usr/bin/time -f '%e %M' -o "$scratch/time" \
      timeout "$limit" "$morvane" $options "$link" >/dev/null 2>"$scratch/err"
  ) || code=$?
  # The last line holds the figures (a failing exit adds a line before it).
  set -- $(tail -n 1 "$scratch/time")
  seconds=${1:-$limit} kb=${2:-0}
  case $code in
  10) answer=VALID ;;
  20) answer=INVALID ;;
  30) answer=UNKNOWN ;;
  99) answer=ERROR ;;
  124) answer=TIMEOUT ;;
  *) answer="EXIT$code" ;;
  esac
  if [ $code = 10 ] || [ $code = 20 ]; then
    if [ "$code" = "$expected" ]; then
      verdict=ok; correct=$((correct + 1))
    else
      verdict=WRONG; wrong=$((wrong + 1))
    fi
  else
    verdict=-; undecided=$((undecided + 1))
  fi
  certificate=-
  if [ $check = 1 ] && [ "$verdict" = ok ]; then
    if timeout "$check_limit" "$checker" "$path" "$link.qbc" \
      >"$scratch/check" 2>&1; then
      certificate=accepted; certified=$((certified + 1))
    else
      status=$?
      if [ $status = 124 ]; then certificate=check-timeout
      else certificate="REJECTED($(head -c 60 "$scratch/check"))"
        rejected=$((rejected + 1))
      fi
    fi
  fi
  rm -f "$link.qbc" "$link.qbc.tmp"
  printf '%-54s %4s %-8s %-7s %9s %9s %s\n' \
    "$name" "$expected" "$answer" "$verdict" "$seconds" "$kb" "$certificate"
  total_seconds=$(echo "$total_seconds $seconds" | awk '{ print $1 + $2 }')
  [ "$kb" -gt "$max_kb" ] && max_kb=$kb
done

echo
echo "files $files, decided correctly $correct, wrong $wrong," \
  "undecided (timeout, unknown, error) $undecided"
echo "total seconds $total_seconds, largest peak memory $max_kb KB" \
  "(limits: $limit s and $memory MB per file)"
[ $check = 1 ] && echo "certificates accepted $certified, rejected $rejected"
[ $wrong = 0 ] && [ $rejected = 0 ]
