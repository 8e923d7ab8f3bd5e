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

    std::size_t size() const { return rules_.size(); }
    // The units of the longest source; 0 without rules.
    std::size_t longest() const { return longest_; }

    // Whether some rule's source begins with this unit: most units begin none,
    // and this settles them without a lookup.
    bool mayStartWith(char16_t unit) const { return starts_[unit]; }

    // The rule with the longest source that text begins with.
    Match longestAt(std::u16string_view text) const;

  private:
    friend class PhraseRulesBuilder;

    struct Rule {
        std::uint32_t at;     // source in pool_, then the target right after it
        std::uint32_t length; // units of each
    };
    // The rules sharing their first two units, longest first; end 0 marks
    // an empty slot.
    struct Bucket {
        std::uint32_t key = 0; // the first two units
        std::uint32_t first = 0;
        std::uint32_t end = 0;
    };

    const Bucket* bucketOf(std::uint32_t key) const;

    std::u16string pool_;
    std::vector<Rule> rules_;
    std::vector<Bucket> buckets_; // open addressing, a power of two in size
    std::bitset<65536> starts_;
    std::size_t longest_ = 0;
};

// Collects rules in file order; for the same source the later rule wins.
class PhraseRulesBuilder {
  public:
    // False, and nothing kept, when the line is no rule: each side needs two
    // or more units and both the same number.
    bool add(std::u16string_view source, std::u16string_view target);
    PhraseRules build();

  private:
    struct Entry {
        std::size_t at; // source in pool_, then the target right after it
        std::size_t length;
    };
    std::u16string pool_;
    std::vector<Entry> entries_;
};

} // namespace tolvane
