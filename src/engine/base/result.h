#pragma once

#include <QString>

#include <cassert>
#include <optional>
#include <utility>
#include <variant>

namespace kelvane {

// Why an operation failed, in the words shown to the engineer; for a file
// read line by line, also the 1-based line at fault (0: no line is).
struct Failure {
    QString text;
    int line = 0;
};

// What an operation that can fail gives back: its value or its Failure.
// Platform failures (a catalogue, a file, a printer) come back this way;
// ask ok() before taking the value.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    [[nodiscard]] bool ok() const noexcept { return m_state.index() == 0; }
    explicit operator bool() const noexcept { return ok(); }

    [[nodiscard]] const T& value() const& {
        assert(ok());
        return std::get<0>(m_state);
    }
    [[nodiscard]] T&& value() && {
        assert(ok());
        return std::get<0>(std::move(m_state));
    }
    [[nodiscard]] const Failure& failure() const {
        assert(!ok());
        return std::get<1>(m_state);
    }

private:
    std::variant<T, Failure> m_state;
};

// An operation that gives nothing back but may fail.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    [[nodiscard]] bool ok() const noexcept { return !m_failure.has_value(); }
    explicit operator bool() const noexcept { return ok(); }

    [[nodiscard]] const Failure& failure() const {
        assert(!ok());
        return *m_failure;
    }

private:
    std::optional<Failure> m_failure;
};

}  // namespace kelvane
