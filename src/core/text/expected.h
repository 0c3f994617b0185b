#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace velmarin {

// The error side of an Expected, for building one explicitly:
// return Failure{"..."}. A plain message (a std::string, a literal) turns
// into a failure too, unless T itself can be made from a string.
struct Failure {
    std::string message;
};

// A value of type T or the one-line message why there is none (without the
// program name or a trailing newline): the result of the core's readers and
// parsers (options, place and target files). T may be move-only. value(),
// operator* and operator-> on a failure throw std::bad_variant_access; look
// at has_value() (or the bool) first.
//
//   Expected<int> YearValue(std::string_view text) {
//       if (text.empty()) return "no year";
//       return 2026;
//   }
//   const Expected<int> year = YearValue(text);
//   if (!year) return "--year: " + year.error();
template <typename T>
class Expected {
    // For a T a string converts to (a path, a string) only Failure says
    // "error". Implicit conversion, not construction: since C++20 an
    // aggregate whose first member is a string is constructible from one.
    static constexpr bool kStringValued = std::is_convertible_v<std::string, T>;

public:
    template <typename U = T>
        requires(std::is_constructible_v<T, U &&> && !std::is_same_v<std::remove_cvref_t<U>, Expected> &&
                 !std::is_same_v<std::remove_cvref_t<U>, Failure> &&
                 (kStringValued || !std::is_convertible_v<U &&, std::string>))
    Expected(U&& value) : state_(std::in_place_index<0>, std::forward<U>(value)) {}  // NOLINT: implicit on purpose

    template <typename U>
        requires(!kStringValued && std::is_convertible_v<U &&, std::string>)
    Expected(U&& message) : state_(std::in_place_index<1>, std::forward<U>(message)) {}  // NOLINT

    Expected(Failure failure) : state_(std::in_place_index<1>, std::move(failure.message)) {}  // NOLINT

    bool has_value() const { return state_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // The message of a failure; empty for a value.
    const std::string& error() const {
        static const std::string kNone;
        const std::string* message = std::get_if<1>(&state_);
        return message != nullptr ? *message : kNone;
    }

private:
    std::variant<T, std::string> state_;
};

}  // namespace velmarin
