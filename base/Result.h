#pragma once

#include "base/Error.h"

#include <utility>
#include <variant>

// A value or the Error that kept it from being made: the one way our
// readers, loaders and start-up steps report failure.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : state(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state); }
    const T& value() const& { return std::get<0>(state); }
    T&& value() && { return std::get<0>(std::move(state)); }
    const Error& error() const { return std::get<1>(state); }

private:
    std::variant<T, Error> state;
};

// Success without a value, or the Error.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : failure(std::move(error)), failed(true) {}

    bool ok() const { return !failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return failure; }

private:
    Error failure;
    bool failed = false;
};

using Status = Result<void>;
