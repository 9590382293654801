#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Values kept by text, for the texts of a design measured one after another. A hundred
// thousand texts outgrow every cache, so each look-up should touch as little memory as it
// can: open addressing over a compact array of slots that keep each text's hash, and one
// visit to the text itself to confirm it. Values never move once inserted.
template <class Value>
class TextTable {
 public:
  static uint64_t Hash(std::string_view text) { return std::hash<std::string_view>{}(text); }

  // The value kept for text (whose hash is given), or nullptr.
  Value* Find(std::string_view text, uint64_t hash) {
    if (slots_.empty()) return nullptr;
    for (std::size_t i = hash & Mask();; i = (i + 1) & Mask()) {
      const Slot& slot = slots_[i];
      if (slot.entry == Empty) return nullptr;
      if (slot.hash == hash && entries_[slot.entry].text == text) {
        return &entries_[slot.entry].value;
      }
    }
  }

  // Keeps value for a text that Find did not find.
  Value& Insert(std::string_view text, uint64_t hash, Value value) {
    if (2 * (entries_.size() + 1) > slots_.size()) Grow();
    entries_.push_back(Entry{std::string(text), std::move(value)});
    Place(hash, static_cast<uint32_t>(entries_.size() - 1));
    return entries_.back().value;
  }

  std::size_t Size() const { return entries_.size(); }

  void Clear() {
    slots_.clear();
    entries_.clear();
  }

 private:
  static constexpr uint32_t Empty = UINT32_MAX;
  struct Slot {
    uint64_t hash = 0;
    uint32_t entry = Empty;
  };
  struct Entry {
    std::string text;
    Value value;
  };

  std::size_t Mask() const { return slots_.size() - 1; }

  void Place(uint64_t hash, uint32_t entry) {
    std::size_t i = hash & Mask();
    while (slots_[i].entry != Empty) i = (i + 1) & Mask();
    slots_[i] = Slot{hash, entry};
  }

  // Doubles the slots (kept at most half full, so probes stay short) and places every text
  // again.
  void Grow() {
    slots_.assign(slots_.empty() ? 64 : 2 * slots_.size(), Slot{});
    for (std::size_t e = 0; e < entries_.size(); ++e) {
      Place(Hash(entries_[e].text), static_cast<uint32_t>(e));
    }
  }

  std::vector<Slot> slots_;     // a power of two of them
  std::deque<Entry> entries_;  // in order of insertion; a deque never moves them
};
