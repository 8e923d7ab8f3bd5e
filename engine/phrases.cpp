#include "engine/phrases.h"

#include <algorithm>
#include <bit>

namespace tolvane {

PhraseRules::Candidates PhraseRules::candidates(char16_t first, char16_t second) const {
    Candidates found;
    if (!mayStartWith(first, second)) return found;
    const std::uint32_t key = keyOf(first, second);
    const std::size_t mask = buckets_.size() - 1;
    for (std::size_t slot = mixed(key) >> (32 - std::countr_zero(buckets_.size()));
         buckets_[slot].at != 0; slot = (slot + 1) & mask) {
        if (buckets_[slot].key == key) {
            found.rules_ = pool_.data() + buckets_[slot].at;
            break;
        }
    }
    return found;
}

PhraseRules::Match PhraseRules::longestAt(const Candidates& candidates,
                                          std::u16string_view text) const {
    const char16_t* rule = candidates.rules_;
    if (rule == nullptr) return {};
    for (std::size_t length = *rule; length != 0; length = *rule) {
        const char16_t* const rest = rule + 1;
        const char16_t* const target = rest + (length - 2);
        // Sources are short: a plain loop beats a call to compare memory.
        std::size_t k = 2;
        while (k < length && k < text.size() && rest[k - 2] == text[k])
            ++k;
        if (k == length) return {length, target};
        rule = target + length;
    }
    return {};
}

bool PhraseRulesBuilder::add(std::u16string_view source, std::u16string_view target) {
    if (source.size() < 2 || source.size() > kLongestRule || source.size() != target.size())
        return false;
    entries_.push_back({PhraseRules::keyOf(source.data()),
                        static_cast<std::uint32_t>(source.size()), pool_.size()});
    pool_ += source;
    pool_ += target;
    return true;
}

std::u16string_view PhraseRulesBuilder::sourceOf(const Entry& entry) const {
    return std::u16string_view(pool_).substr(entry.at, entry.length);
}

// Sorted by their first two units, longest first, equal sources become
// neighbours too; the sort is stable, so the last of each run of equal
// sources is the one the file gives last, and the one kept.
std::vector<PhraseRulesBuilder::Entry> PhraseRulesBuilder::lastOfEachSource() {
    std::ranges::stable_sort(entries_, [&](const Entry& a, const Entry& b) {
        if (a.key != b.key) return a.key < b.key;
        if (a.length != b.length) return a.length > b.length;
        return sourceOf(a) < sourceOf(b);
    });
    std::vector<Entry> kept;
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        const bool replaced =
            k + 1 < entries_.size() && sourceOf(entries_[k]) == sourceOf(entries_[k + 1]);
        if (!replaced) kept.push_back(entries_[k]);
    }
    return kept;
}

PhraseRules PhraseRulesBuilder::build() {
    const std::vector<Entry> kept = lastOfEachSource();
    PhraseRules rules;
    rules.size_ = kept.size();
    if (kept.empty()) return rules;
    std::size_t keys = 0;
    for (std::size_t k = 0; k < kept.size(); ++k)
        keys += k == 0 || kept[k].key != kept[k - 1].key ? 1 : 0;
    // At most half full, so that a miss ends after a probe or two.
    rules.buckets_.resize(std::bit_ceil(2 * keys));
    rules.pairBits_.assign((std::size_t{1} << PhraseRules::kPairBits) / 64, 0);
    rules.pool_.assign(1, u'\0');
    const std::size_t mask = rules.buckets_.size() - 1;
    for (std::size_t first = 0, end = 0; first < kept.size(); first = end) {
        const std::uint32_t key = kept[first].key;
        std::size_t slot =
            PhraseRules::mixed(key) >> (32 - std::countr_zero(rules.buckets_.size()));
        while (rules.buckets_[slot].at != 0)
            slot = (slot + 1) & mask;
        rules.buckets_[slot] = {key, static_cast<std::uint32_t>(rules.pool_.size())};
        const std::uint32_t bit = PhraseRules::pairBitOf(key);
        rules.pairBits_[bit / 64] |= std::uint64_t{1} << (bit % 64);
        rules.starts_.set(key >> 16);
        for (end = first; end < kept.size() && kept[end].key == key; ++end) {
            const Entry& entry = kept[end];
            rules.pool_ += static_cast<char16_t>(entry.length);
            rules.pool_.append(pool_, entry.at + 2, 2 * entry.length - 2);
            rules.longest_ = std::max<std::size_t>(rules.longest_, entry.length);
            rules.holdsLineFeed_ =
                rules.holdsLineFeed_ || sourceOf(entry).find(u'\n') != std::u16string_view::npos;
        }
        rules.pool_ += u'\0';
    }
    return rules;
}

} // namespace tolvane
