#ifndef CATALIX_TESTS_TEST_SUPPORT_H_
#define CATALIX_TESTS_TEST_SUPPORT_H_

// Small helpers shared by the unit tests.

#include <cstdio>
#include <string>

namespace test {

// A real C stream holding `bytes`, positioned at its start.
FILE* stream_of(const std::string& bytes);

// Everything left in the stream from its current position.
std::string rest_of(FILE* file);

// Runs `body` and returns what it wrote to standard output.
template <typename Body>
std::string stdout_of(Body body);

}  // namespace test

#include <gtest/gtest.h>

namespace test {

inline FILE* stream_of(const std::string& bytes) {
  FILE* file = std::tmpfile();
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::rewind(file);
  return file;
}

inline std::string rest_of(FILE* file) {
  std::string rest;
  int c;
  while ((c = std::getc(file)) != EOF) rest.push_back(static_cast<char>(c));
  return rest;
}

template <typename Body>
std::string stdout_of(Body body) {
  std::fflush(stdout);
  testing::internal::CaptureStdout();
  body();
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

}  // namespace test

#endif  // CATALIX_TESTS_TEST_SUPPORT_H_
