# Shared by bench/run_sat.sh and bench/compare_sat.sh (sourced, not run,
# after bench/bench_folders.sh): the CNF folder given, a scratch folder,
# generators of CNF files, the expected answer of a file and one timed run
# of a solver process.
# The functions set variables for their callers:
# shellcheck shell=sh disable=SC2034

# sat_data_folder SCRIPT ROOT [DIR]
# Prints the CNF folder to run as data_folder does, and "-" for DIR "-".
sat_data_folder() {
  if [ "${3-}" = - ]; then
    echo -
  else
    data_folder "$1" "$2" cnf ${3+"$3"}
  fi
}

# Makes the scratch folder $sat_scratch, removed on exit, with run/ (the
# working directory of every run: the engines write trace and proof files
# there) and generated/.
sat_open_scratch() {
  sat_scratch=$(mktemp -d)
  trap 'rm -rf "$sat_scratch"' EXIT
  trap 'exit 130' INT TERM
  mkdir "$sat_scratch/run" "$sat_scratch/generated"
}

# sat_generate_random3sat DIR N VARS CLAUSES SEED
# Writes N random 3-SAT files DIR/random3sat-vVARS-cCLAUSES-sSEED-NN.cnf:
# each clause has three distinct variables of random signs.
sat_generate_random3sat() {
  awk -v dir="$1" -v n="$2" -v vars="$3" -v clauses="$4" -v seed="$5" 'BEGIN {
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
}

# sat_generate_pigeonhole DIR HOLES
# Writes DIR/pigeonhole-hHOLES.cnf, HOLES+1 pigeons in HOLES holes (pigeon
# i in hole j is variable i*HOLES+j, i from 0): every pigeon sits in some
# hole, no two share one. It is unsatisfiable, as DIR/expected.tsv records.
sat_generate_pigeonhole() {
  awk -v dir="$1" -v holes="$2" 'BEGIN {
    pigeons = holes + 1
    name = sprintf("pigeonhole-h%02d.cnf", holes)
    file = dir "/" name
    printf "p cnf %d %d\n", pigeons * holes,
      pigeons + holes * pigeons * (pigeons - 1) / 2 > file
    for (i = 0; i < pigeons; i++) {
      for (j = 1; j <= holes; j++)
        printf "%d ", i * holes + j > file
      print "0" > file
    }
    for (j = 1; j <= holes; j++)
      for (i = 0; i < pigeons; i++)
        for (k = i + 1; k < pigeons; k++)
          printf "-%d -%d 0\n", i * holes + j, k * holes + j > file
    close(file)
    printf "%s\t20\n", name >> (dir "/expected.tsv")
  }'
}

# sat_expected FILE: the exit code (10 or 20) that expected.tsv beside FILE
# gives it, or nothing.
sat_expected() {
  [ -f "$(dirname "$1")/expected.tsv" ] || return 0
  awk -F'\t' -v f="$(basename "$1")" '$1 == f { print $2 }' \
    "$(dirname "$1")/expected.tsv"
}

# sat_run LIMIT COMMAND...
# Runs COMMAND in $sat_scratch/run, standard output discarded, for at most
# LIMIT seconds, a whole number (killed 5 seconds after the stop signal if
# it lingers). Sets code (124: timed out), seconds (elapsed, to the millisecond) and kb
# (peak memory). Clears the working directory afterwards.
sat_run() {
  sat_limit=$1
  shift
  code=0
  sat_start=$(date +%s%N)
  (
    cd "$sat_scratch/run"
    exec /usr/bin/time -f '%M' -o "$sat_scratch/time" \
      timeout -k 5 "$sat_limit" "$@" >/dev/null 2>"$sat_scratch/err"
  ) || code=$?
  sat_ms=$((($(date +%s%N) - sat_start) / 1000000))
  [ $code = 137 ] && [ $sat_ms -ge $((sat_limit * 1000)) ] && code=124
  seconds=$(printf '%d.%03d' $((sat_ms / 1000)) $((sat_ms % 1000)))
  kb=$(tail -n 1 "$sat_scratch/time")
  case $kb in '' | *[!0-9]*) kb=0 ;; esac
  rm -rf "$sat_scratch/run"
  mkdir "$sat_scratch/run"
}
