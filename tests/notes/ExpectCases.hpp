#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>

namespace notes {

/// Checks `actual(input) == expected` for each row of a table, naming the input of a row
/// that fails.
template <typename Input, typename Expected, std::size_t count, typename Actual>
void expectCases(const std::pair<Input, Expected> (&cases)[count], Actual actual) {
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(::testing::PrintToString(input));
        EXPECT_EQ(actual(input), expected);
    }
}

} // namespace notes
