// Unit-test entry (wide, as the program is built with -municode).
#include <gtest/gtest.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  // A crash must fail the test, not wait in a debugger or an error dialog.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
