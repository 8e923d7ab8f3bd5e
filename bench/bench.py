#!/usr/bin/env python3
"""Times tolvane-cli on real Chinese text, as a user runs it:

    bench.py [TOLVANE-CLI] [FOLDER]

TOLVANE-CLI defaults to build/default/bin/tolvane-cli; the corpus files go to
FOLDER (bench-files/ in the current folder by default), which is removed at
the end. The text comes from Debian packages (see corpus.py): simplified text
repeated to 200 MB in GBK, UTF-8 and GB18030, traditional text in Big5. The
shipped tables are given by path, so their phrase rules in 对照表/词组/ are
found beside them. Every figure is the best of a few rounds, page cache warm.
"""
import os
import shutil
import subprocess
import sys
import time
from pathlib import Path

import corpus

ROOT = Path(__file__).resolve().parent.parent
SIZE = 200 * 10**6
BIG_COPIES = 5  # the memory line converts five times the corpus, 1 GB
OPENCC_SLICE = 20 * 10**6
ROUNDS = 3
START_ROUNDS = 20
SMALL_FILES = 10000


def table(name):
    return str(ROOT / '对照表' / f'{name}.txt')


def run(command, stdin=os.devnull, stdout=os.devnull):
    with open(stdin, 'rb') as source, open(stdout, 'wb') as target:
        return subprocess.run(command, stdin=source, stdout=target,
                              stderr=subprocess.DEVNULL).returncode


def seconds(command, **files):
    start = time.perf_counter()
    status = run(command, **files)
    elapsed = time.perf_counter() - start
    if status != 0:
        raise RuntimeError(f'{" ".join(command)} exited with {status}')
    return elapsed


def best(command, rounds=ROUNDS, **files):
    return min(seconds(command, **files) for _ in range(rounds))


def mb_per_s(size, elapsed):
    return size / 1e6 / elapsed


def iconv(data, to, source='UTF-8'):
    # -c leaves out what the target cannot hold (and then exits 1).
    return subprocess.run(['iconv', '-c', '-f', source, '-t', to], input=data,
                          capture_output=True).stdout


def repeated(data, size):
    """The data repeated and cut after the last whole line within size."""
    copies = data * (size // len(data) + 1)
    return copies[:copies.rindex(b'\n', 0, size) + 1]


class Cli:
    def __init__(self, path):
        self.path = path
        probe = subprocess.run([path, '-t', table('简体到繁体'), '-e', 'utf-8'],
                               input='复制'.encode(), capture_output=True)
        self.has_phrases = probe.stdout.decode() == '複製'
        self.characters_only = ['--characters-only'] if self.accepts(
            ['--characters-only']) else []

    def accepts(self, options):
        return run([self.path, '-t', table('简体到繁体')] + options) == 0

    def command(self, table_name, encoding, phrases=False):
        return ([self.path, '-q', '-t', table(table_name), '-e', encoding]
                + ([] if phrases else self.characters_only))


def in_place_seconds(command, file):
    """One in-place run; the original is put back from its backup folder."""
    elapsed = seconds(command + [str(file)])
    backup = file.parent / '~Vebzo01.bak'
    os.replace(backup / file.name, file)
    backup.rmdir()
    return elapsed


def speed_line(label, command, file, iconv_from):
    """Filter into a page-cache file, its flush, the in-place run and iconv."""
    size = file.stat().st_size
    output = file.with_suffix('.out')
    convert = flush = in_place = float('inf')
    for _ in range(ROUNDS):
        convert = min(convert, seconds(command, stdin=file, stdout=output))
        flush = min(flush, seconds(['sync', str(output)]))
        in_place = min(in_place, in_place_seconds(command, file))
    output.unlink()
    decode = best(['iconv', '-f', iconv_from, '-t', 'UTF-16LE', str(file)])
    print(f'{label:<28} {size / 1e6:5.0f} MB {mb_per_s(size, convert):7.0f} MB/s '
          f'{flush * 1e3:7.0f} ms {mb_per_s(size, in_place):7.0f} MB/s '
          f'{mb_per_s(size, decode):7.0f} MB/s {decode / convert:6.2f}x')
    return mb_per_s(size, convert), decode / convert


def peak_rss_mib(command, report):
    """Measured by /usr/bin/time: a child of this process would count the
    memory it shared with it before starting the program."""
    seconds(['/usr/bin/time', '-f', '%M', '-o', str(report)] + command)
    return int(report.read_text()) / 1024


def write_corpus(folder, name, data):
    (folder / name).mkdir(parents=True, exist_ok=True)
    path = folder / name / 'text.txt'
    path.write_bytes(data)
    return path


def speed(cli, files):
    print('\nSpeed. "convert": tolvane-cli as a filter from the file into a file in the page '
          'cache (start-up,\ntable load, read, convert, write; no flush). "flush": sync of '
          'that output afterwards.\n"in place": tolvane-cli FILE (backup, read, convert, '
          'write, flush, rename). "iconv": iconv -f\nENCODING -t UTF-16LE of the same file '
          'to /dev/null; "ratio": convert against iconv.\nTable 简体到繁体 on the simplified '
          'corpus; Big5: 简体到台湾正体 on the traditional one (iconv -f CP950).')
    print(f'{"":<28} {"size":>8} {"convert":>12} {"flush":>10} {"in place":>12} '
          f'{"iconv":>12} {"ratio":>7}')
    return {
        'gbk': speed_line('GBK, characters only', cli.command('简体到繁体', 'gbk'), files['gbk'],
                          'GBK'),
        'utf8': speed_line('UTF-8, characters only', cli.command('简体到繁体', 'utf-8'),
                           files['utf8'], 'UTF-8'),
        'phrases': speed_line('UTF-8, with phrases',
                              cli.command('简体到繁体', 'utf-8', phrases=True), files['utf8'],
                              'UTF-8'),
    }


def other_encodings(cli, files):
    # Big5 is the traditional corpus through 简体到台湾正体, whose output Big5 holds.
    for label, encoding, table_name, iconv_from in (
            ('GB18030, characters only', 'gb18030', '简体到繁体', 'GB18030'),
            ('Big5, characters only', 'big5', '简体到台湾正体', 'CP950')):
        if cli.accepts(['-e', encoding]):
            speed_line(label, cli.command(table_name, encoding), files[encoding], iconv_from)
        else:
            print(f'{label}: skipped, this tolvane-cli refuses -e {encoding}')


def against_opencc(cli, utf8):
    if shutil.which('opencc') is None:
        print('\nOpenCC: skipped, opencc is not installed (apt-get install opencc)')
        return None
    data = utf8.read_bytes()
    piece = utf8.parent / 'slice.txt'
    piece.write_bytes(data[:data.rindex(b'\n', 0, OPENCC_SLICE) + 1])
    size = piece.stat().st_size
    ours = best(cli.command('简体到繁体', 'utf-8', phrases=True), stdin=piece,
                stdout=piece.with_suffix('.ours'))
    theirs = best(['opencc', '-c', 's2t.json', '-i', str(piece), '-o',
                   str(piece.with_suffix('.opencc'))])
    print(f'\nAgainst OpenCC on the first {size / 1e6:.0f} MB of the UTF-8 corpus (OpenCC is slow),'
          f' both file to file:\n  tolvane-cli -t 简体到繁体 with phrases '
          f'{mb_per_s(size, ours):.0f} MB/s, opencc -c s2t.json {mb_per_s(size, theirs):.1f} '
          f'MB/s, ratio {theirs / ours:.0f}x')
    return theirs / ours


def start_up(cli, folder):
    one_line = folder / 'one-line.txt'
    one_line.write_bytes('一 壹\r\n'.encode('gbk'))
    whole = best(cli.command('简体到繁体', 'utf-8', phrases=True), START_ROUNDS)
    characters = best(cli.command('简体到繁体', 'utf-8'), START_ROUNDS)
    bare = best([cli.path, '-q', '-t', str(one_line), '-e', 'utf-8'], START_ROUNDS)
    print(f'\nStart-up, tolvane-cli on empty input, best of {START_ROUNDS}:\n'
          f'  with 简体到繁体 and its phrases {whole * 1e3:.1f} ms, characters only '
          f'{characters * 1e3:.1f} ms,\n  with a one-line table {bare * 1e3:.1f} ms; '
          f'so loading 简体到繁体 with its phrases takes about {(whole - bare) * 1e3:.1f} ms')
    return whole, whole - bare


def memory(cli, utf8):
    if not Path('/usr/bin/time').exists():
        print('\nPeak memory: skipped, /usr/bin/time is not installed (apt-get install time)')
        return None
    big = utf8.parent.parent / 'big' / 'text.txt'
    big.parent.mkdir(exist_ok=True)
    text = utf8.read_bytes()
    with open(big, 'wb') as out:
        for _ in range(BIG_COPIES):
            out.write(text)
    command = cli.command('简体到繁体', 'utf-8', phrases=True)
    report = big.parent / 'rss.txt'
    small_peak = peak_rss_mib(command + [str(utf8)], report)
    big_peak = peak_rss_mib(command + [str(big)], report)
    peaks = [(big.stat().st_size / 1e6, big_peak), (utf8.stat().st_size / 1e6, small_peak)]
    print('\nPeak memory (RSS) of tolvane-cli converting in place with phrases: '
          + ', '.join(f'{size:.0f} MB file {peak:.1f} MiB' for size, peak in peaks))
    return peaks


def small_files(cli, gbk):
    """Many small files, where flushing each one costs more than converting it."""
    folder = gbk.parent.parent / 'small'
    folder.mkdir()
    text = gbk.read_bytes()[:1000]
    text = text[:text.rindex(b'\n') + 1]
    for index in range(SMALL_FILES):
        (folder / f'{index}.txt').write_bytes(text)
    run(['sync'])
    elapsed = seconds(cli.command('简体到繁体', 'gbk', phrases=True) + ['-r', str(folder)])
    print(f'\n{SMALL_FILES} files of {len(text)} bytes by one tolvane-cli -r run, with phrases: '
          f'{elapsed * 1e3:.0f} ms, {elapsed * 1e3 / SMALL_FILES:.2f} ms a file')


def verdict(value, goal, at_least=True):
    if value >= goal if at_least else value < goal:
        return 'met'
    return f'missed by {abs(value - goal) / goal:.0%}'


def goals(speeds, opencc_ratio, start, peaks):
    (gbk, gbk_ratio), (utf8, _), (phrases, _) = speeds['gbk'], speeds['utf8'], speeds['phrases']
    print('\nGoals:')
    print(f'  GBK, characters only   {gbk:6.0f} MB/s, goal 1200: {verdict(gbk, 1200)}; '
          f'{gbk_ratio:.2f}x iconv, goal 3x: {verdict(gbk_ratio, 3)}')
    print(f'  UTF-8, characters only {utf8:6.0f} MB/s, goal 1000: {verdict(utf8, 1000)}')
    print(f'  UTF-8, with phrases    {phrases:6.0f} MB/s, goal 300: {verdict(phrases, 300)}'
          + (f'; {opencc_ratio:.0f}x OpenCC, goal 50x: {verdict(opencc_ratio, 50)}'
             if opencc_ratio else ''))
    whole, load = start
    print(f'  loading 简体到繁体 with phrases {load * 1e3:.1f} ms, goal < 20: '
          f'{verdict(load * 1e3, 20, False)}')
    print(f'  a run on empty input with it {whole * 1e3:.1f} ms, goal < 25: '
          f'{verdict(whole * 1e3, 25, False)}')
    if peaks:
        (big_size, big_peak), (size, peak) = peaks
        print(f'  peak memory {big_peak:.1f} MiB for {big_size:.0f} MB against {peak:.1f} MiB '
              f'for {size:.0f} MB, flat within 10%: {verdict(big_peak, peak * 1.1, False)}')


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / 'build/default/bin/tolvane-cli')
    if not os.access(program, os.X_OK):
        sys.exit(f'{program}: no such program; build the target tolvane-cli first')
    cli = Cli(program)
    folder = Path(sys.argv[2] if len(sys.argv) > 2 else 'bench-files').resolve()
    simplified, traditional = corpus.text('simplified'), corpus.text('traditional')
    if simplified is None:
        sys.exit('Skipped: the corpus needs the manual pages of manpages-zh '
                 '(apt-get install manpages-zh)')
    gbk = iconv(simplified.encode(), 'GBK')
    files = {
        'gbk': write_corpus(folder, 'gbk', repeated(gbk, SIZE)),
        # The same characters as the GBK file.
        'utf8': write_corpus(folder, 'utf8', repeated(iconv(gbk, 'UTF-8', 'GBK'), SIZE)),
        'gb18030': write_corpus(folder, 'gb18030',
                                repeated(iconv(simplified.encode(), 'GB18030'), SIZE)),
        'big5': write_corpus(folder, 'big5', repeated(iconv(traditional.encode(), 'CP950'),
                                                      SIZE)),
    }
    han = sum(1 for character in simplified if character >= '\u2e80')
    print(f'Corpus: the zh_CN message catalogs and manpages-zh pages, {han / 1e6:.2f} M Han '
          f'characters,\nrepeated to {SIZE / 1e6:.0f} MB (Big5: the zh_TW and zh_HK ones). '
          f'Best of {ROUNDS} rounds, page cache warm.')
    print('Phrase rules: ' + ('in effect' if cli.has_phrases else
                              'not in effect in this tolvane-cli, the phrase lines convert '
                              'by characters'))
    if not cli.characters_only:
        print('--characters-only: not accepted by this tolvane-cli, left out')
    try:
        speeds = speed(cli, files)
        other_encodings(cli, files)
        opencc_ratio = against_opencc(cli, files['utf8'])
        start = start_up(cli, folder)
        small_files(cli, files['gbk'])
        goals(speeds, opencc_ratio, start, memory(cli, files['utf8']))
    finally:
        shutil.rmtree(folder)


if __name__ == '__main__':
    main()
