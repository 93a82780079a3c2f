#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include <gtest/gtest.h>

// Test runner for the Windows side. Output is switched to binary so that test names listed
// for discovery reach the host build without carriage returns.
int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
