#pragma once

namespace reader {

/// The page's answer to a search: the selected match's number and the number of matches.
/// Both 0 means there are no find results.
struct FindStatus {
    int current = 0;
    int count = 0;

    friend bool operator==(const FindStatus&, const FindStatus&) = default;
};

} // namespace reader
