#pragma once
// A map for the few entries a window keeps (brushes, fonts, icons, balloons):
// a vector searched in order. It needs nothing compiled from the C++ library,
// which the Windows programs do not carry.
#include <cstddef>
#include <utility>
#include <vector>

template <class Key, class Value>
class SmallMap {
 public:
  Value* Find(const Key& key) {
    for (auto& [k, v] : items_)
      if (k == key) return &v;
    return nullptr;
  }
  const Value* Find(const Key& key) const { return const_cast<SmallMap*>(this)->Find(key); }

  // The value under the key, made empty when there is none.
  Value& operator[](const Key& key) {
    if (Value* v = Find(key)) return *v;
    return items_.emplace_back(key, Value{}).second;
  }

  std::size_t size() const { return items_.size(); }
  void clear() { items_.clear(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::pair<Key, Value>> items_;
};
