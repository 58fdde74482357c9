# Shared by the bench scripts (sourced, not run): the folders they are
# given.
# shellcheck shell=sh

# absolute_folder SCRIPT FOLDER
# Prints the absolute path of FOLDER, or says on one line that it is
# missing and fails.
absolute_folder() {
  if [ -d "$2" ]; then
    (cd "$2" && pwd)
  else
    echo "$1: no folder $2" >&2
    return 1
  fi
}

# data_folder SCRIPT ROOT KIND [DIR]
# Prints the absolute path of DIR, or without DIR the default
# ../shared/bench/KIND beside the repository ROOT. Says on one line which
# folder is missing, and for the default that DIR can be given, and fails.
data_folder() {
  if [ $# -ge 4 ]; then
    absolute_folder "$1" "$4"
    return
  fi
  set -- "$1" "$(dirname "$2")/shared/bench/$3" "$3"
  [ -d "$2" ] || {
    echo "$1: no folder $2 beside the repository; give the" \
      "$(echo "$3" | tr '[:lower:]' '[:upper:]') folder as DIR" >&2
    return 1
  }
  echo "$2"
}
