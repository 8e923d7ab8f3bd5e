#include "engine/phrases.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace tolvane {

namespace {

std::uint32_t keyOf(const char16_t* units) {
    return static_cast<std::uint32_t>(units[0]) << 16 | units[1];
}

std::size_t slotOf(std::uint32_t key, std::size_t slots) {
    // Fibonacci hashing: the high bits of the product spread neighbouring keys.
    const std::uint32_t mixed = key * 0x9E3779B1U;
    return (mixed >> (32 - std::countr_zero(slots))) & (slots - 1);
}

} // namespace

const PhraseRules::Bucket* PhraseRules::bucketOf(std::uint32_t key) const {
    const std::size_t slots = buckets_.size();
    for (std::size_t slot = slotOf(key, slots);; slot = (slot + 1) & (slots - 1)) {
        const Bucket& bucket = buckets_[slot];
        if (bucket.end == 0) return nullptr;
        if (bucket.key == key) return &bucket;
    }
}

PhraseRules::Match PhraseRules::longestAt(std::u16string_view text) const {
    if (text.size() < 2 || !starts_[text[0]]) return {};
    const Bucket* bucket = bucketOf(keyOf(text.data()));
    if (bucket == nullptr) return {};
    for (std::uint32_t r = bucket->first; r < bucket->end; ++r) {
        const Rule rule = rules_[r];
        if (rule.length > text.size()) continue;
        const char16_t* source = pool_.data() + rule.at;
        if (std::equal(source + 2, source + rule.length, text.data() + 2))
            return {rule.length, source + rule.length};
    }
    return {};
}

bool PhraseRulesBuilder::add(std::u16string_view source, std::u16string_view target) {
    if (source.size() < 2 || source.size() != target.size()) return false;
    entries_.push_back({pool_.size(), source.size()});
    pool_ += source;
    pool_ += target;
    return true;
}

PhraseRules PhraseRulesBuilder::build() {
    const auto sourceOf = [this](const Entry& entry) {
        return std::u16string_view(pool_).substr(entry.at, entry.length);
    };
    // File order decides between equal sources: a stable sort keeps it, and
    // the last of each run of equal sources is the one kept.
    std::vector<std::size_t> order(entries_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::stable_sort(order, {}, [&](std::size_t e) { return sourceOf(entries_[e]); });
    std::vector<Entry> kept;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const bool replaced = k + 1 < order.size() &&
                              sourceOf(entries_[order[k]]) == sourceOf(entries_[order[k + 1]]);
        if (!replaced) kept.push_back(entries_[order[k]]);
    }
    // Sorted by source, the rules sharing their first two units are neighbours;
    // within them the longest goes first, since the longest match wins.
    std::ranges::stable_sort(kept, [&](const Entry& a, const Entry& b) {
        const std::uint32_t keyA = keyOf(pool_.data() + a.at), keyB = keyOf(pool_.data() + b.at);
        return keyA != keyB ? keyA < keyB : a.length > b.length;
    });

    PhraseRules rules;
    std::size_t distinctKeys = 0;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const Entry& entry = kept[k];
        if (k == 0 || keyOf(pool_.data() + entry.at) != keyOf(pool_.data() + kept[k - 1].at))
            ++distinctKeys;
        rules.rules_.push_back({static_cast<std::uint32_t>(rules.pool_.size()),
                                static_cast<std::uint32_t>(entry.length)});
        rules.pool_.append(pool_, entry.at, 2 * entry.length);
        rules.starts_.set(pool_[entry.at]);
        rules.longest_ = std::max(rules.longest_, entry.length);
    }
    if (kept.empty()) return rules;
    // At most half full, so that a miss ends after a probe or two.
    rules.buckets_.resize(std::bit_ceil(2 * distinctKeys + 1));
    for (std::size_t first = 0; first < rules.rules_.size();) {
        const std::uint32_t key = keyOf(rules.pool_.data() + rules.rules_[first].at);
        std::size_t end = first + 1;
        while (end < rules.rules_.size() && keyOf(rules.pool_.data() + rules.rules_[end].at) == key)
            ++end;
        std::size_t slot = slotOf(key, rules.buckets_.size());
        while (rules.buckets_[slot].end != 0)
            slot = (slot + 1) & (rules.buckets_.size() - 1);
        rules.buckets_[slot] = {key, static_cast<std::uint32_t>(first),
                                static_cast<std::uint32_t>(end)};
        first = end;
    }
    return rules;
}

} // namespace tolvane
