#!/usr/bin/env python3
"""Composes a chain of dictionary stages into one character table and one
phrase list for a single greedy longest match:

    compose-table.py DUMPS CHARACTERS PHRASES STAGE...

DUMPS is a folder of dictionaries dumped as text ("source TAB candidates");
each STAGE names the dictionaries of one step, comma-separated, applied in
order ("STPhrases,STCharacters TWVariants"). A stage converts by greedy longest
match over all its entries, first candidates only. CHARACTERS receives
"source SPACE target" for each character the chain changes, PHRASES the same
for every phrase whose target has the source's length (it says how many
others it leaves out); both in UTF-8, LF, in the dictionaries' order.

Each target is what the whole chain makes of its source. The phrases are:
- those of every stage. A phrase of a later stage is matched in the text the
  earlier stages have made, so its sources are the texts that the earlier
  stages' characters turn into it (a Taiwan 裡 becomes 裏 before 裏 is
  looked up);
- where phrases of two stages overlap, the joined text, when one pass would
  convert it otherwise than the chain: the earlier stage has taken its
  phrase before the later one sees the text (著於 is kept whole before 於菟
  could match in 著於菟).
"""
import itertools
import sys
from pathlib import Path


def load(dumps, names):
    entries = {}
    for name in names.split(','):
        for line in (dumps / f'{name}.txt').read_text(encoding='utf-8').splitlines():
            source, candidates = line.split('\t')
            entries.setdefault(source, candidates.split(' ')[0])
    return entries


def longest_match(entries):
    longest = max(map(len, entries))

    def convert(text):
        out, at = [], 0
        while at < len(text):
            for length in range(min(longest, len(text) - at), 0, -1):
                target = entries.get(text[at:at + length])
                if target is not None or length == 1:
                    out.append(target or text[at])
                    at += length
                    break
        return ''.join(out)
    return convert


def sources_before(phrase, earlier_stages):
    """Every text that the earlier stages' characters turn into the phrase."""
    options = [{character} for character in phrase]
    for stage in reversed(earlier_stages):
        options = [{found for found in option if found not in stage}
                   | {source for source, target in stage.items()
                      if len(source) == 1 and target in option}
                   for option in options]
    return sorted({''.join(choice) for choice in itertools.product(*options)})


def overlaps(first_phrases, second_phrases):
    """The texts where a phrase of the first list ends inside one of the second."""
    for first, second in itertools.product(first_phrases, second_phrases):
        for length in range(1, min(len(first), len(second))):
            if first[-length:] == second[:length]:
                yield first + second[length:]


def main():
    dumps, characters_out, phrases_out = map(Path, sys.argv[1:4])
    stages = [load(dumps, names) for names in sys.argv[4:]]
    converters = [longest_match(stage) for stage in stages]

    def chain(text):
        for convert in converters:
            text = convert(text)
        return text

    characters = {source: chain(source) for stage in stages for source in stage
                  if len(source) == 1}
    sources_by_stage = [[source for phrase in stage if len(phrase) > 1
                         for source in sources_before(phrase, stages[:index])]
                        for index, stage in enumerate(stages)]
    phrases = {source: chain(source) for sources in sources_by_stage for source in sources}

    one_pass = longest_match(characters | phrases)
    for first, second in itertools.permutations(sources_by_stage, 2):
        for joined in overlaps(first, second):
            if joined not in phrases and one_pass(joined) != chain(joined):
                phrases[joined] = chain(joined)

    unequal = [source for source, target in phrases.items() if len(source) != len(target)]
    if unequal:
        print(f'{len(unequal)} phrases change length and are left out', file=sys.stderr)
    characters_out.write_text(''.join(f'{source} {target}\n'
                                      for source, target in characters.items()
                                      if source != target), encoding='utf-8')
    phrases_out.write_text(''.join(f'{source} {target}\n'
                                   for source, target in phrases.items()
                                   if len(source) == len(target)), encoding='utf-8')


if __name__ == '__main__':
    main()
