// A window the system refuses to make says why: the report carries the Windows error
// behind it, so that a failure seen once in a long run can be told from another.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "toolkit/Window.h"

namespace quillmere {
namespace {

using ::testing::HasSubstr;

class ChildOf : public win32::Window {
 public:
  explicit ChildOf(HWND parent) {
    Create({.className = "QuillmereTestChild", .width = 10, .height = 10, .parent = parent});
  }
};

TEST(WindowCreationTest, AWindowTheSystemRefusesNamesItsClassAndTheWindowsError) {
  // A window that was destroyed cannot hold a child.
  const HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(gone);
  DestroyWindow(gone);
  try {
    ChildOf child(gone);
    FAIL() << "a child of a destroyed window was made";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(),
                HasSubstr("Cannot create the window QuillmereTestChild (error 1400: "));
  }
}

}  // namespace
}  // namespace quillmere
