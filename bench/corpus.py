"""Real Chinese text that Debian packages install: the translations in the
message catalogs under /usr/share/locale and the manpages-zh manual pages.

    corpus.py simplified|traditional        the text, UTF-8, on standard output

Simplified text comes from zh_CN, traditional text from zh_TW and zh_HK.
"""
import gzip
import struct
import subprocess
import sys
from pathlib import Path

LOCALES = {'simplified': ['zh_CN'], 'traditional': ['zh_TW', 'zh_HK']}
MO_MAGIC = 0x950412de


def translations(mo_file):
    """The translated strings of a compiled message catalog (the header skipped)."""
    data = mo_file.read_bytes()
    order = '<' if struct.unpack('<I', data[:4])[0] == MO_MAGIC else '>'
    count, originals, translated = struct.unpack(order + '3I', data[8:20])
    for index in range(count):
        original_length = struct.unpack_from(order + 'I', data, originals + 8 * index)[0]
        length, offset = struct.unpack_from(order + '2I', data, translated + 8 * index)
        if original_length:
            # Plural forms are separated by NUL.
            yield from data[offset:offset + length].decode('utf-8', 'replace').split('\0')


def catalog_text(locale):
    for mo_file in sorted(Path('/usr/share/locale', locale, 'LC_MESSAGES').glob('*.mo')):
        for text in translations(mo_file):
            yield text + '\n'


def manual_pages(locale):
    """The manpages-zh pages of one locale, or None when the package is missing."""
    listing = subprocess.run(['dpkg', '-L', 'manpages-zh'], capture_output=True, text=True)
    if listing.returncode != 0:
        return None
    prefix = f'/usr/share/man/{locale}/'
    return [Path(name) for name in listing.stdout.splitlines()
            if name.startswith(prefix) and name.endswith('.gz')
            and Path(name).is_file() and not Path(name).is_symlink()]


def text(kind):
    """The whole text of one kind, or None when manpages-zh is not installed."""
    parts = []
    for locale in LOCALES[kind]:
        pages = manual_pages(locale)
        if pages is None:
            return None
        parts.extend(catalog_text(locale))
        parts.extend(gzip.decompress(page.read_bytes()).decode('utf-8', 'replace')
                     for page in sorted(pages))
    return ''.join(parts)


if __name__ == '__main__':
    whole = text(sys.argv[1])
    if whole is None:
        sys.exit('manpages-zh is not installed: apt-get install manpages-zh')
    sys.stdout.write(whole)
