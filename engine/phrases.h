#pragma once
// Phrase rules: a run of characters replaced as a whole by a run of the same
// length, because one character can have several forms and only the word
// decides (复制 -> 複製, where the characters alone give 復制).

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

class PhraseRules {
  public:
    struct Match {
        std::size_t length = 0;           // 0: no rule's source starts the text
        const char16_t* target = nullptr; // length units
    };

    std::size_t size() const { return size_; }
    // The units of the longest source; 0 without rules.
    std::size_t longest() const { return longest_; }
    // Whether some source holds a line feed: then a rule may reach across one.
    bool holdsLineFeed() const { return holdsLineFeed_; }

    // Whether a rule's source may begin with the unit, or with the two: most
    // places of a text begin no rule, and two bit tests settle nearly all.
    bool mayStartWith(char16_t first) const { return starts_[first]; }
    bool mayStartWith(char16_t first, char16_t second) const {
        if (!starts_[first]) return false;
        const std::uint32_t bit = pairBitOf(keyOf(first, second));
        return (pairBits_[bit / 64] >> (bit % 64) & 1) != 0;
    }

    // The rules whose sources begin with the two units, longest first.
    class Candidates {
      public:
        bool empty() const { return rules_ == nullptr; }
        // The units of the longest source.
        std::size_t longest() const { return rules_ == nullptr ? 0 : *rules_; }

      private:
        friend class PhraseRules;
        const char16_t* rules_ = nullptr; // into pool_
    };
    Candidates candidates(char16_t first, char16_t second) const;

    // The rule with the longest source that text begins with, among the
    // candidates of its first two units.
    Match longestAt(const Candidates& candidates, std::u16string_view text) const;
    Match longestAt(std::u16string_view text) const {
        if (text.size() < 2) return {};
        return longestAt(candidates(text[0], text[1]), text);
    }

  private:
    friend class PhraseRulesBuilder;

    static constexpr int kPairBits = 20;
    // The first two units of a source.
    static std::uint32_t keyOf(char16_t first, char16_t second) {
        return static_cast<std::uint32_t>(first) << 16 | second;
    }
    static std::uint32_t keyOf(const char16_t* units) { return keyOf(units[0], units[1]); }
    // Fibonacci hashing: the high bits of the product spread neighbouring keys.
    static std::uint32_t mixed(std::uint32_t key) { return key * 0x9E3779B1U; }
    static std::uint32_t pairBitOf(std::uint32_t key) { return mixed(key) >> (32 - kPairBits); }

    // The rules of one key: at points into pool_, 0 marks an empty slot.
    struct Bucket {
        std::uint32_t key = 0;
        std::uint32_t at = 0;
    };

    // For each key its rules, longest first, one after the other: the
    // length, the rest of the source (from its third unit), the target; a
    // length of 0 ends them. Unit 0 is unused, so that no list starts there.
    std::u16string pool_;
    std::vector<Bucket> buckets_; // open addressing, a power of two in size
    std::bitset<65536> starts_;
    // A bit for the hash of every key: most pairs of units in a text begin no
    // rule, and this settles them without a probe.
    std::vector<std::uint64_t> pairBits_;
    std::size_t size_ = 0;
    std::size_t longest_ = 0;
    bool holdsLineFeed_ = false;
};

// Collects rules in file order; for the same source the later rule wins.
class PhraseRulesBuilder {
  public:
    // False, and nothing kept, when the two are no rule: each side needs two
    // or more units, at most kLongestRule, and both the same number.
    static constexpr std::size_t kLongestRule = 0xFFFF;
    bool add(std::u16string_view source, std::u16string_view target);
    PhraseRules build();

  private:
    struct Entry {
        std::uint32_t key; // the source's first two units
        std::uint32_t length;
        std::size_t at; // source in pool_, then the target right after it
    };
    std::u16string_view sourceOf(const Entry& entry) const;
    std::vector<Entry> lastOfEachSource();

    std::u16string pool_;
    std::vector<Entry> entries_;
};

} // namespace tolvane
