#pragma once

#include <cstddef>
#include <deque>

namespace nfe {

// An owning list of document items. Add appends an item built with its defaults (and so
// with all of its sub-objects) and returns it; references to earlier items stay valid.
// Copying a collection copies every item.
template <class Item>
class TCollection {
public:
    Item& Add() { return items_.emplace_back(); }
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

    Item& operator[](int index) { return items_.at(static_cast<std::size_t>(index)); }
    const Item& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const TCollection&) const = default;

private:
    std::deque<Item> items_;
};

}  // namespace nfe
