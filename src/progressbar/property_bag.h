// The host's property bag: where a window keeps the design-time settings of a control it holds.
// Values keep the type they were written with; keys are matched without regard to case, and
// a value equal to the default it was written with is not kept at all.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumaveil::progressbar {

class StdFont;
class StdPicture;

// A 16-bit Boolean as the control stores it: true is -1, false is 0.
struct StoredBoolean {
  std::int16_t bits = 0;
  friend bool operator==(StoredBoolean, StoredBoolean) = default;
};

// An empty picture reference is the "Nothing" of an object-valued property. Values compare with
// ==: numbers by value, objects by identity, and values of different types never match.
using PropertyValue = std::variant<std::int32_t, StoredBoolean, std::shared_ptr<StdFont>,
                                   std::shared_ptr<StdPicture>>;

bool KeysMatch(std::string_view a, std::string_view b);

class PropertyBag {
 public:
  struct Entry {
    std::string key;  // as first written, so a stored form keeps its spelling
    PropertyValue value;
  };

  // Stores the value unless it equals its default; an equal value also removes an earlier entry
  // of the key, so a bag written twice holds what the second writing said.
  void WriteProperty(std::string_view key, const PropertyValue& value,
                     const PropertyValue& default_value);
  PropertyValue ReadProperty(std::string_view key, const PropertyValue& default_value) const;

  // Stores unconditionally; a reader of a stored form fills the bag this way.
  void Set(std::string_view key, const PropertyValue& value);
  bool Contains(std::string_view key) const;
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  Entry* Find(std::string_view key);
  const Entry* Find(std::string_view key) const;

  std::vector<Entry> entries_;  // in writing order
};

}  // namespace lumaveil::progressbar
