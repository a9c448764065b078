#include "notes/Observable.hpp"
#include "notes/CanonicallyEqual.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace notes {
namespace {

TEST(Observable, NotifiesOnlyWhenTheValueChangesWithTheNewValueUntilDisconnected) {
    Observable<std::optional<std::string>> heading;
    std::vector<std::optional<std::string>> seen;
    auto connection = heading.connect([&] { seen.push_back(*heading); });

    EXPECT_FALSE(heading.set(std::nullopt));
    EXPECT_TRUE(heading.set("intro"));
    EXPECT_FALSE(heading.set("intro"));
    EXPECT_TRUE(heading.set(std::nullopt));
    connection.disconnect();
    heading.set("later");
    EXPECT_EQ(seen, (std::vector<std::optional<std::string>>{"intro", std::nullopt}));

    // Canonically equivalent text is stored, silently.
    Observable<std::string, CanonicallyEqual> text("caf\xC3\xA9");
    int notified = 0;
    text.connect([&] { ++notified; });
    EXPECT_FALSE(text.set("cafe\xCC\x81"));
    EXPECT_EQ(*text, "cafe\xCC\x81");
    EXPECT_TRUE(text.set("Caf\xC3\xA9"));
    EXPECT_EQ(notified, 1);
}

TEST(Observable, FieldsWithoutEqualityAndInPlaceChangesAlwaysNotify) {
    struct Index {
        int entries = 0; // deliberately without ==
    };
    Observable<std::shared_ptr<Index>, NeverEqual> index;
    Observable<std::vector<std::string>> backStack;
    int notified = 0;
    index.connect([&] { ++notified; });
    backStack.connect([&] { ++notified; });

    auto same = std::make_shared<Index>();
    index.set(same);
    index.set(same);
    backStack.modify([](auto& stack) { stack.push_back("a.md"); });
    backStack.modify([](auto& stack) { stack.clear(); });
    backStack.modify([](auto& stack) { stack.clear(); }); // already empty
    EXPECT_EQ(notified, 5);
    EXPECT_TRUE(backStack->empty());
}

} // namespace
} // namespace notes
