#!/usr/bin/env python3
"""The Python module's speed on real text, beside tolvane-cli's and OpenCC's:

    PYTHONPATH=build/default/python python3 bench/python_speed.py \\
        [--cli build/default/bin/tolvane-cli] [--table 简体到繁体] [--megabytes 100]

The text is the translations of the zh_CN message catalogs under
/usr/share/locale (bench/corpus.py), repeated to the size asked for.
Printed, as MB/s of the text in UTF-8 and the best of three rounds:
Table.convert on the whole text as one str and Table.convert_bytes on its
UTF-8 bytes (the table opened beforehand), tolvane-cli as a filter from a
file into /dev/null, and opencc -c s2t.json on a 10 MB slice (it is slow);
then the ratios to the goals: str at least 80 % of tolvane-cli, at least 50
times OpenCC. Figures mean something only on a quiet machine.
"""
import argparse
import pathlib
import shutil
import subprocess
import tempfile
import time

import tolvane

from corpus import catalog_text

ROUNDS = 3


def best_seconds(run):
    best = float('inf')
    for _ in range(ROUNDS):
        start = time.perf_counter()
        run()
        best = min(best, time.perf_counter() - start)
    return best


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--cli', default='build/default/bin/tolvane-cli')
    parser.add_argument('--table', default='简体到繁体')
    parser.add_argument('--megabytes', type=int, default=100)
    options = parser.parse_args()

    unit = ''.join(catalog_text('zh_CN'))
    text = unit * (options.megabytes * 2**20 // len(unit.encode('utf-8')) + 1)
    data = text.encode('utf-8')
    megabytes = len(data) / 1e6
    table = tolvane.Table(options.table)
    print(f'{megabytes:.0f} MB of zh_CN catalog text, table {table.path} '
          f'({table.phrase_count} phrases); best of {ROUNDS}')

    rates = {'str': megabytes / best_seconds(lambda: table.convert(text)),
             'bytes': megabytes / best_seconds(lambda: table.convert_bytes(data, 'utf-8'))}
    with tempfile.TemporaryDirectory() as folder:
        source = pathlib.Path(folder) / 'text.txt'
        source.write_bytes(data)

        def cli():
            with open(source, 'rb') as given, open('/dev/null', 'wb') as nowhere:
                subprocess.run([options.cli, '-t', options.table], stdin=given, stdout=nowhere,
                               check=True)
        rates['tolvane-cli'] = megabytes / best_seconds(cli)
        if shutil.which('opencc'):
            piece = pathlib.Path(folder) / 'piece.txt'
            piece.write_bytes(data[:10 * 10**6].decode('utf-8', 'ignore').encode('utf-8'))
            seconds = best_seconds(lambda: subprocess.run(
                ['opencc', '-c', 's2t.json', '-i', str(piece), '-o', '/dev/null'], check=True))
            rates['opencc'] = piece.stat().st_size / 1e6 / seconds

    for name, rate in rates.items():
        print(f'{name:12} {rate:9.1f} MB/s')
    print(f'str / tolvane-cli: {rates["str"] / rates["tolvane-cli"]:.2f} (goal 0.80)')
    if 'opencc' in rates:
        print(f'str / opencc:      {rates["str"] / rates["opencc"]:.0f}x (goal 50x)')


if __name__ == '__main__':
    main()
