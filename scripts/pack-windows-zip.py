#!/usr/bin/env python3
"""Packs one Windows build into a zip:
    pack-windows-zip.py <bin folder> <zip> <folder name inside the zip>

zipfile flags every non-ASCII name as UTF-8 (bit 11), so 对照表/, 词组/ and the
table names come out right on any Windows and in any unzip.
"""
import sys
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


def main():
    bin_dir, target, top = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
    entries = [(bin_dir / 'tolvane.exe', 'tolvane.exe'),
               (bin_dir / 'tolvane-cli.exe', 'tolvane-cli.exe'),
               (ROOT / 'LICENSE', 'LICENSE.txt'),
               (ROOT / 'NOTICE', 'NOTICE.txt'),
               (ROOT / 'packaging' / 'windows' / 'README.txt', 'README.txt'),
               (bin_dir / 'tolvane.dll', 'tolvane.dll'),
               (bin_dir / 'libtolvane.dll.a', 'lib/libtolvane.dll.a'),
               (bin_dir / 'tolvane.def', 'lib/tolvane.def'),
               (ROOT / 'app' / 'lib' / 'include' / 'tolvane.h', 'include/tolvane.h')]
    entries += [(table, table.relative_to(ROOT).as_posix())
                for table in sorted((ROOT / '对照表').glob('*.txt'))
                + sorted((ROOT / '对照表' / '词组').glob('*.txt'))]
    target.unlink(missing_ok=True)
    with zipfile.ZipFile(target, 'w', zipfile.ZIP_DEFLATED) as archive:
        for source, name in entries:
            archive.write(source, f'{top}/{name}')
    for info in zipfile.ZipFile(target).infolist():
        if not info.filename.isascii() and not info.flag_bits & 0x800:
            sys.exit(f'{info.filename}: name not flagged as UTF-8')


if __name__ == '__main__':
    main()
