// The grid-control promises, kept by the printing grid and by the tests' memory grid alike
// (the window's grid runs the same check in the Qt tests).
#include "support/GridControlContract.h"
#include "TextGrid.h"
#include "support/MemoryGrid.h"

#include <gtest/gtest.h>

namespace kq70::test {
namespace {

template <typename Grid> class GridControlContractTest : public ::testing::Test {};

using Grids = ::testing::Types<TextGrid, MemoryGrid>;
TYPED_TEST_SUITE(GridControlContractTest, Grids);

TYPED_TEST(GridControlContractTest, KeepsEveryPromise) {
    TypeParam grid;
    EXPECT_EQ(gridControlContractBreaches(grid), std::vector<std::string>{});
}

} // namespace
} // namespace kq70::test
