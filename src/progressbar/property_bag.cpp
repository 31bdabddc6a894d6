#include "progressbar/property_bag.h"

#include <algorithm>

namespace lumaveil::progressbar {

namespace {
char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool KeysMatch(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

PropertyBag::Entry* PropertyBag::Find(std::string_view key) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [&](const Entry& e) { return KeysMatch(e.key, key); });
  return it == entries_.end() ? nullptr : &*it;
}

const PropertyBag::Entry* PropertyBag::Find(std::string_view key) const {
  return const_cast<PropertyBag*>(this)->Find(key);
}

void PropertyBag::WriteProperty(std::string_view key, const PropertyValue& value,
                                const PropertyValue& default_value) {
  if (value != default_value) {
    Set(key, value);
    return;
  }
  std::erase_if(entries_, [&](const Entry& e) { return KeysMatch(e.key, key); });
}

PropertyValue PropertyBag::ReadProperty(std::string_view key,
                                        const PropertyValue& default_value) const {
  const Entry* entry = Find(key);
  return entry ? entry->value : default_value;
}

void PropertyBag::Set(std::string_view key, const PropertyValue& value) {
  if (Entry* entry = Find(key)) {
    entry->value = value;
  } else {
    entries_.push_back({std::string(key), value});
  }
}

bool PropertyBag::Contains(std::string_view key) const { return Find(key) != nullptr; }

}  // namespace lumaveil::progressbar
