#pragma once

// The matchers the tests name most, at hand wherever `using namespace
// quillmere::testing` stands, instead of a list of their own in every file.
#include <gmock/gmock.h>

namespace quillmere::testing {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

}  // namespace quillmere::testing
