#include "board_fixture.h"

namespace kumoji::test {
namespace {

TEST_F(BoardTest, Placeholder) {
}

} // namespace
} // namespace kumoji::test
