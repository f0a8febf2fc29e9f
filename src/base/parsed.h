#pragma once
#include <optional>
#include <utility>
#include <variant>

namespace pawlet {

// What a parser gives back: the value it read, or the named reason it refused the input, so that
// tests, fuzz targets and asset checks can say why a file was turned down.
template <typename Value, typename Failure>
class Parsed {
public:
    Parsed(Value value) : outcome_(std::in_place_index<0>, std::move(value)) {}
    Parsed(Failure failure) : outcome_(std::in_place_index<1>, failure) {}

    bool has_value() const { return outcome_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    // Only when has_value().
    Value& operator*() & { return std::get<0>(outcome_); }
    const Value& operator*() const& { return std::get<0>(outcome_); }
    Value&& operator*() && { return std::get<0>(std::move(outcome_)); }
    Value* operator->() { return &std::get<0>(outcome_); }
    const Value* operator->() const { return &std::get<0>(outcome_); }

    // The value moved out, or nullopt after a failure.
    std::optional<Value> as_optional() && {
        if (!has_value()) return std::nullopt;
        return std::get<0>(std::move(outcome_));
    }

    // Only when !has_value().
    Failure failure() const { return std::get<1>(outcome_); }

private:
    std::variant<Value, Failure> outcome_;
};

}  // namespace pawlet
