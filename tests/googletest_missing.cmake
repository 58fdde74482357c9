# The only test when GoogleTest was not found at configuration time.
message(FATAL_ERROR
  "GoogleTest was not found when the build folder was configured, so no test "
  "was built. Install GoogleTest (Debian package libgtest-dev) and configure "
  "the build folder again.")
