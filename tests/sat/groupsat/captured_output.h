#ifndef MORVANE_TESTS_SAT_GROUPSAT_CAPTURED_OUTPUT_H
#define MORVANE_TESTS_SAT_GROUPSAT_CAPTURED_OUTPUT_H

// What a piece of engine code writes on standard output.

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <string>

inline std::string stdout_of(const std::function<void()> &run)
{
  std::cout.flush();
  ::testing::internal::CaptureStdout();
  run();
  std::cout.flush();
  return ::testing::internal::GetCapturedStdout();
}

#endif
