"""A table of our own for every test: 简体 and the characters of 复制 by
character, 复制 as a phrase rule; table files are code page 936 with CR LF."""
import pytest


@pytest.fixture
def table_path(tmp_path):
    folder = tmp_path / 'tables'
    (folder / '词组').mkdir(parents=True)
    (folder / '表.txt').write_bytes('简 簡\r\n体 體\r\n复 復\r\n'.encode('gbk'))
    (folder / '词组' / '表.txt').write_bytes('复制 複製\r\n'.encode('gbk'))
    return folder / '表.txt'
