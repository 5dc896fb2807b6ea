// Entry of the Wine test program: GoogleTest with a Unicode console entry.
// Tests that create the program's windows in this process may leave a quit
// message behind (the main window posts one when it is destroyed); it is
// taken out after every test, so that it cannot end a later test's waits.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class QuitMessageDrain : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    MSG m;
    while (PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new QuitMessageDrain);
  return RUN_ALL_TESTS();
}
