#pragma once

namespace markdown {

/// One callable made of several, for `std::visit`:
/// `std::visit(Overloaded{[](const A&) {...}, [](const B&) {...}}, value)`.
template <class... Cases> struct Overloaded : Cases... { using Cases::operator()...; };
// Spelled out for compilers that do not deduce an aggregate's arguments (clang before 17).
template <class... Cases> Overloaded(Cases...) -> Overloaded<Cases...>;

} // namespace markdown
