#include "notes/Observable.hpp"
#include "notes/CanonicallyEqual.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace notes {
namespace {

TEST(Observable, NotifiesOnlyWhenTheValueChanges) {
    Observable<std::optional<std::string>> heading;
    int notified = 0;
    heading.connect([&] { ++notified; });

    EXPECT_FALSE(heading.set(std::nullopt));
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(heading.set("intro"));
    EXPECT_FALSE(heading.set("intro"));
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(heading.set(std::nullopt));
    EXPECT_EQ(notified, 2);
    EXPECT_EQ(*heading, std::nullopt);
}

TEST(Observable, FieldsWithoutEqualityAndInPlaceChangesAlwaysNotify) {
    struct Index {
        int entries = 0; // deliberately without ==
    };
    Observable<std::shared_ptr<Index>, NeverEqual> index;
    Observable<std::vector<std::string>> backStack;
    int indexNotified = 0;
    int stackNotified = 0;
    index.connect([&] { ++indexNotified; });
    backStack.connect([&] { ++stackNotified; });

    auto same = std::make_shared<Index>();
    index.set(same);
    index.set(same);
    EXPECT_EQ(indexNotified, 2);

    backStack.modify([](auto& stack) { stack.push_back("a.md"); });
    backStack.modify([](auto& stack) { stack.clear(); });
    backStack.modify([](auto& stack) { stack.clear(); }); // already empty
    EXPECT_EQ(stackNotified, 3);
    EXPECT_TRUE(backStack->empty());
}

TEST(Observable, CanonicallyEquivalentTextIsStoredSilently) {
    Observable<std::string, CanonicallyEqual> text("caf\xC3\xA9");
    int notified = 0;
    text.connect([&] { ++notified; });

    EXPECT_FALSE(text.set("cafe\xCC\x81")); // e + combining acute
    EXPECT_EQ(*text, "cafe\xCC\x81");       // stored all the same
    EXPECT_TRUE(text.set("Caf\xC3\xA9"));
    EXPECT_EQ(notified, 1);
}

TEST(Observable, ObserversSeeTheNewValueUntilDisconnected) {
    Observable<int> field(1);
    std::vector<int> seen;
    auto connection = field.connect([&] { seen.push_back(field.get()); });
    field.set(2);
    connection.disconnect();
    field.set(3);
    EXPECT_EQ(seen, (std::vector<int>{2}));
}

} // namespace
} // namespace notes
