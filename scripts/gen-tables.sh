#!/usr/bin/env bash
# Regenerates the shipped mapping tables in 对照表/ and their phrase rules in
# 对照表/词组/ from the dictionaries of Debian's OpenCC packages (libopencc1.1
# holds the .ocd2 files, opencc provides opencc_dict to dump them). Each table
# follows one of OpenCC's conversions, its chain of dictionaries composed by
# scripts/compose-table.py into one character table and one phrase list:
#   简体到繁体      s2t   STPhrases, STCharacters
#   繁体到简体      t2s   TSPhrases, TSCharacters
#   简体到台湾正体  s2tw  STPhrases, STCharacters, then TWVariants
#   台湾正体到简体  tw2s  TWVariantsRevPhrases, TWVariantsRev, then TSPhrases, TSCharacters
#   简体到香港繁体  s2hk  STPhrases, STCharacters, then HKVariants
#   香港繁体到简体  hk2s  HKVariantsRevPhrases, HKVariantsRev, then TSPhrases, TSCharacters
# Each line is "source SPACE target", code page 936, CR LF. First candidates
# only. A line is kept only when all its characters survive a round trip
# through CP936 (the table loader decodes CP936, so anything else would load as
# a different character); the script says how many lines each file loses.
set -euo pipefail
cd "$(dirname "$0")/.."

dictionaries=/usr/share/opencc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for dictionary in "$dictionaries"/*.ocd2; do
    opencc_dict -i "$dictionary" -o "$work/$(basename "$dictionary" .ocd2).txt" -f ocd2 -t text
done

# Keeps the lines whose characters come back unchanged from CP936.
cp936_round_trip_only() {
    local lines=$1
    # -c drops what CP936 cannot hold (and then exits 1): such lines come back shorter.
    iconv -c -f UTF-8 -t CP936 "$lines" >"$work/encoded" || true
    iconv -f CP936 -t UTF-8 "$work/encoded" >"$work/decoded"
    paste -d '\t' "$lines" "$work/decoded" | perl -CSD -ne '
        chomp;
        my ($original, $returned) = split /\t/, $_, 2;
        print "$original\n" if defined $returned && $original eq $returned;
    '
}

# Writes UTF-8 lines as a table file and says how many lines it kept and dropped.
write_cp936() {
    local lines=$1 output=$2
    cp936_round_trip_only "$lines" | iconv -f UTF-8 -t CP936 | sed 's/$/\r/' >"$output"
    local kept all
    kept=$(wc -l <"$output")
    all=$(wc -l <"$lines")
    echo "$output: $kept 行, 去掉 $((all - kept)) 行 (CP936 无法表示)"
}

generate() {
    local name=$1
    shift
    python3 scripts/compose-table.py "$work" "$work/characters" "$work/phrases" "$@"
    write_cp936 "$work/characters" "对照表/$name.txt"
    write_cp936 "$work/phrases" "对照表/词组/$name.txt"
}

mkdir -p 对照表/词组
generate 简体到繁体 STPhrases,STCharacters
generate 繁体到简体 TSPhrases,TSCharacters
generate 简体到台湾正体 STPhrases,STCharacters TWVariants
generate 台湾正体到简体 TWVariantsRevPhrases,TWVariantsRev TSPhrases,TSCharacters
generate 简体到香港繁体 STPhrases,STCharacters HKVariants
generate 香港繁体到简体 HKVariantsRevPhrases,HKVariantsRev TSPhrases,TSCharacters
