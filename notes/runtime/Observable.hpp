#pragma once

#include <sigc++/sigc++.h>

#include <functional>
#include <utility>

namespace notes {

/// An equality for `Observable` fields that have none (or whose every assignment counts as
/// news, such as a reference to a shared object): every store notifies.
struct NeverEqual {
    template <typename T> bool operator()(const T&, const T&) const noexcept { return false; }
};

/// A stored model field that tells its observers when it changes. A store of a value equal to
/// the stored one (under `Equal`) still stores it, silently; a change in place always notifies.
/// Lives on the main thread; observers are called synchronously, after the new value is stored.
template <typename T, typename Equal = std::equal_to<T>> class Observable {
public:
    Observable() = default;
    explicit Observable(T initial) : value(std::move(initial)) {}
    // Observers are bound to this field's identity: copying would share or drop them.
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;

    [[nodiscard]] const T& get() const noexcept { return value; }
    const T& operator*() const noexcept { return value; }
    const T* operator->() const noexcept { return &value; }

    /// Stores the value and notifies unless it equals the stored one. Returns whether it
    /// notified.
    bool set(T newValue) {
        const bool unchanged = equal(value, newValue);
        value = std::move(newValue);
        if (!unchanged)
            changed.emit();
        return !unchanged;
    }

    /// Changes the value in place (appending, inserting, clearing) and notifies, whatever the
    /// change did.
    template <typename Change> void modify(Change&& change) {
        std::forward<Change>(change)(value);
        changed.emit();
    }

    /// Calls the observer after every notifying store. A `sigc::trackable` observer bound with
    /// `sigc::mem_fun` is disconnected when it is destroyed; others keep the connection.
    sigc::connection connect(sigc::slot<void()> observer) {
        return changed.connect(std::move(observer));
    }

private:
    T value{};
    [[no_unique_address]] Equal equal{};
    sigc::signal<void()> changed;
};

} // namespace notes
