#!/bin/sh
# The bench and fuzz scripts' answers before any run: -h prints the usage on
# standard output, and a missing engine, folder or program is one line on
# standard error with exit code 2 (the fuzz scripts: non-zero), leaving
# nothing behind.
#   sh bench_scripts_test.sh SOURCE_DIR
set -u
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# expect WHAT CODE LINES COMMAND...: COMMAND exits with CODE (or "non-zero")
# and writes LINES lines on standard error; the output is in $scratch.
expect() {
  what=$1 code=$2 lines=$3
  shift 3
  "$@" >"$scratch/out" 2>"$scratch/err"
  got=$?
  count=$(wc -l <"$scratch/err")
  if { [ "$code" = non-zero ] && [ $got = 0 ]; } ||
    { [ "$code" != non-zero ] && [ $got != "$code" ]; } ||
    [ "$count" != "$lines" ]; then
    echo "FAILED: $what: exit code $got, $count lines on standard error:"
    cat "$scratch/err"
    failures=$((failures + 1))
    return 1
  fi
}

# contains WHAT FILE TEXT
contains() {
  grep -qF -- "$3" "$2" || {
    echo "FAILED: $1: no \"$3\" in:"
    cat "$2"
    failures=$((failures + 1))
  }
}

for script in run_qdimacs.sh run_sat.sh compare_sat.sh; do
  expect "$script -h" 0 0 sh "$source_dir/bench/$script" -h &&
    contains "$script -h" "$scratch/out" "usage: bench/$script ["
  engine=
  [ $script = run_sat.sh ] && engine="-e groupsat"
  # $engine splits into the option and its value.
  # shellcheck disable=SC2086
  expect "$script on a missing folder" 2 1 \
    sh "$source_dir/bench/$script" $engine "$scratch/missing" &&
    contains "$script on a missing folder" "$scratch/err" "$scratch/missing"
done

expect "run_sat.sh without -e" 2 1 sh "$source_dir/bench/run_sat.sh"
contains "run_sat.sh without -e" "$scratch/err" "-e ENGINE is missing"

# A clone that does not sit beside shared/: the default folder is missing.
mkdir -p "$scratch/clone/bench"
cp "$source_dir"/bench/*.sh "$scratch/clone/bench/"
expect "run_qdimacs.sh, default folder missing" 2 1 \
  sh "$scratch/clone/bench/run_qdimacs.sh"
contains "run_qdimacs.sh, default folder missing" "$scratch/err" \
  "$scratch/shared/bench/qdimacs"
for script in run_sat.sh compare_sat.sh; do
  engine=
  [ $script = run_sat.sh ] && engine="-e groupsat"
  # shellcheck disable=SC2086
  expect "$script, default folder missing" 2 1 \
    sh "$scratch/clone/bench/$script" $engine
  contains "$script, default folder missing" "$scratch/err" \
    "$scratch/shared/bench/cnf"
done

expect "long_inputs.sh -h" 0 0 sh "$source_dir/bench/long_inputs.sh" -h &&
  contains "long_inputs.sh -h" "$scratch/out" "usage: bench/long_inputs.sh ["
expect "long_inputs.sh on a wrong build folder" 2 1 \
  sh "$source_dir/bench/long_inputs.sh" -b "$scratch/missing"
contains "long_inputs.sh on a wrong build folder" "$scratch/err" \
  "no program $scratch/missing/"

# The fuzz campaigns on a folder that is no build folder.
if command -v python3 >/dev/null 2>&1; then
  mkdir "$scratch/tmp"
  for script in fuzz_qbf.py fuzz_sat.py; do
    expect "$script on a wrong build folder" non-zero 1 \
      env TMPDIR="$scratch/tmp" python3 "$source_dir/bench/$script" \
      "$scratch/missing"
    contains "$script on a wrong build folder" "$scratch/err" \
      "no program $scratch/missing/"
  done
  [ -z "$(ls -A "$scratch/tmp")" ] || {
    echo "FAILED: the fuzz scripts left files under TMPDIR"
    failures=$((failures + 1))
  }
fi

[ $failures = 0 ]
