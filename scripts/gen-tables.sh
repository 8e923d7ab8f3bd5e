#!/usr/bin/env bash
# Regenerates the two shipped mapping tables in 对照表/ from the character
# dictionaries of Debian's OpenCC packages (libopencc1.1 holds the .ocd2 files,
# opencc provides opencc_dict to dump them):
#   对照表/简体到繁体.txt  from STCharacters
#   对照表/繁体到简体.txt  from TSCharacters
# Each line is "source SPACE target", code page 936, CR LF. Only single-character
# entries are used, with their first candidate; a pair is kept only when both
# characters are in the BMP, survive a round trip through CP936 (the table loader
# decodes CP936, so anything else would load as a different character) and differ.
set -euo pipefail
cd "$(dirname "$0")/.."

dictionaries=/usr/share/opencc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One "source SPACE target" line (UTF-8) per usable dictionary entry.
first_candidates() {
    perl -CSD -ne '
        chomp;
        my ($source, $candidates) = split /\t/, $_, 2;
        next unless defined $candidates;
        my ($target) = split / /, $candidates;
        next unless length($source) == 1 && length($target) == 1;
        next if ord($source) > 0xFFFF || ord($target) > 0xFFFF;
        next if $source eq $target;
        print "$source $target\n";
    ' "$1"
}

# Keeps the lines whose characters come back unchanged from CP936.
cp936_round_trip_only() {
    local pairs=$1
    # -c drops what CP936 cannot hold (and then exits 1): such lines come back shorter.
    iconv -c -f UTF-8 -t CP936 "$pairs" >"$work/encoded" || true
    iconv -f CP936 -t UTF-8 "$work/encoded" >"$work/decoded"
    paste -d '\t' "$pairs" "$work/decoded" | perl -CSD -ne '
        chomp;
        my ($original, $returned) = split /\t/, $_, 2;
        print "$original\n" if defined $returned && $original eq $returned;
    '
}

generate() {
    local dictionary=$1 output=$2
    opencc_dict -i "$dictionaries/$dictionary.ocd2" -o "$work/$dictionary.txt" -f ocd2 -t text
    first_candidates "$work/$dictionary.txt" >"$work/$dictionary.pairs"
    cp936_round_trip_only "$work/$dictionary.pairs" |
        iconv -f UTF-8 -t CP936 | sed 's/$/\r/' >"$output"
    echo "$output: $(wc -l <"$output") 行"
}

generate STCharacters 对照表/简体到繁体.txt
generate TSCharacters 对照表/繁体到简体.txt
