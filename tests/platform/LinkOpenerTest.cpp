#include "platform/LinkOpener.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

// The one rule both the help panel and the cookie list go by.
TEST(OpensInSystem, TakesAddressesWithASchemeAndMailAddresses) {
  EXPECT_TRUE(OpensInSystem("http://example.org/"));
  EXPECT_TRUE(OpensInSystem("mailto:help@example.org"));
  EXPECT_FALSE(OpensInSystem("contents"));
  EXPECT_FALSE(OpensInSystem("file:readme"));
}

}  // namespace
}  // namespace quillmere
