#include "platform/surface.hpp"

#include <gtest/gtest.h>

namespace vormelda {
namespace {

TEST(Surface, Placeholder) { EXPECT_EQ(Surface(3, 2).Width(), 3); }

}  // namespace
}  // namespace vormelda
