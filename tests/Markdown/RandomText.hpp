#pragma once

// Texts glued together from pieces at random, for tests that parse whatever comes.

#include <random>
#include <string>
#include <vector>

namespace markdown::testing {

inline std::string randomText(const std::vector<std::string>& pieces, std::mt19937& random,
                              int maxPieces = 40) {
    std::string text;
    for (int i = std::uniform_int_distribution<int>(0, maxPieces)(random); i > 0; --i)
        text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    return text;
}

} // namespace markdown::testing
