"""The Python module: conversions, its exceptions, the GIL released while
converting, tables pickled into other processes, a Ctrl-C during a file."""
import _thread
import errno
import multiprocessing
import os
import pickle
import threading
import time

import pytest

import tolvane


def test_text_and_bytes_convert_as_the_table_says(table_path):
    table = tolvane.Table(table_path)
    assert table.phrase_count == 1
    assert tolvane.Table(table_path, characters_only=True).convert('复制') == '復制'
    # Each of Python's three string kinds; characters beyond U+FFFF and lone
    # surrogates go through untouched, and break no phrase.
    for text, converted in [('abc', 'abc'), ('复制简体', '複製簡體'),
                            ('复😀制简\udc80体', '復😀制簡\udc80體'), ('😀复制', '😀複製')]:
        assert table.convert(text) == converted
    for encoding in ['gbk', 'utf-8', 'utf-16le']:
        assert table.convert_bytes('复制'.encode(encoding), encoding) == '複製'.encode(encoding)
    assert table.convert_bytes(bytearray('简体'.encode('gbk'))) == '簡體'.encode('gbk')
    assert table.convert_bytes(b'') == b''
    # Written in another encoding; never with stand-ins for what it lacks.
    assert table.convert_bytes('复制'.encode('gbk'), 'gbk', to='utf-16le') == \
        '\ufeff複製'.encode('utf-16le')
    with pytest.raises(tolvane.UnrepresentableError):
        table.convert_bytes('가'.encode('utf-8'), 'utf-8', to='gbk')


def test_the_shipped_tables_convert_forth_and_back():
    assert {'简体到繁体.txt', '繁体到简体.txt'} <= set(tolvane.tables())
    forth, back = tolvane.Table('简体到繁体'), tolvane.Table('繁体到简体.txt')
    assert back.convert(forth.convert('简体中文')) == '简体中文'


def test_files_convert_in_place_and_failures_are_exceptions(table_path, tmp_path):
    text, binary = tmp_path / '文.txt', tmp_path / '二进制.bin'
    text.write_bytes('复制'.encode('gbk'))
    binary.write_bytes(b'\0\0')
    result = tolvane.Table(table_path).convert_file(text)
    assert result.ok and result.encoding == 'GBK'
    assert text.read_bytes() == '複製'.encode('gbk')
    assert open(result.backup, 'rb').read() == '复制'.encode('gbk')

    table = tolvane.Table(table_path)
    with pytest.raises(tolvane.FileError) as missing:
        table.convert_file(tmp_path / '无.txt')
    assert isinstance(missing.value, OSError) and missing.value.errno == errno.ENOENT
    assert missing.value.filename == str(tmp_path / '无.txt')
    with pytest.raises(tolvane.NotTextError):
        table.convert_file(binary)
    assert binary.read_bytes() == b'\0\0'
    with pytest.raises(tolvane.TableError):
        tolvane.Table('没有这个表')
    with pytest.raises(LookupError):
        table.convert_bytes(b'a', 'ebcdic')
    results = table.convert_files([binary, text])
    assert isinstance(results[0].error, tolvane.NotTextError) and results[1].ok


def longest_pause(samples, start, end):
    inside = [start] + [t for t in samples if start < t < end] + [end]
    return max(b - a for a, b in zip(inside, inside[1:]))


@pytest.mark.parametrize('call', ['convert', 'convert_bytes'])
def test_the_gil_is_released_while_converting(table_path, call):
    """While one thread converts, another runs Python code: it is never held
    up for most of the conversion, as it would be if the GIL were held."""
    table = tolvane.Table(table_path)
    text = '复制简体，' * 4_000_000
    argument = text if call == 'convert' else text.encode('utf-8')
    convert = getattr(table, call)
    for _ in range(3):  # a loaded machine may starve the sampling thread once
        span = []
        converter = threading.Thread(
            target=lambda: span.extend([time.perf_counter(), convert(argument), time.perf_counter()]))
        samples = []
        converter.start()
        while converter.is_alive():
            samples.append(time.perf_counter())
        converter.join()
        start, _, end = span
        if end - start > 0.05 and longest_pause(samples, start, end) < 0.5 * (end - start):
            return
    pytest.fail(f'{call}: the other thread waited for most of the conversion')


def convert_in_child(pickled, text):
    return pickle.loads(pickled).convert(text)


def test_a_pickled_table_converts_in_another_process(table_path):
    table = tolvane.Table(table_path)
    state = pickle.dumps(table)
    with multiprocessing.get_context('spawn').Pool(1) as pool:
        assert pool.apply(convert_in_child, (state, '复制简体')) == '複製簡體'
    restored = pickle.loads(state)
    assert (restored.name, restored.path, restored.characters_only) == (str(table_path),
                                                                       str(table_path), False)
    assert pickle.loads(pickle.dumps(tolvane.Table('简体到繁体', characters_only=True))).characters_only


def test_ctrl_c_during_a_file_puts_it_back(table_path, tmp_path):
    big = tmp_path / '大.txt'
    original = '复制简体\n'.encode('gbk') * 5_000_000
    big.write_bytes(original)

    def interrupt_once_converting():
        while not any(name.endswith('.tmp') for name in os.listdir(tmp_path)):
            time.sleep(0.001)
        _thread.interrupt_main()

    threading.Thread(target=interrupt_once_converting, daemon=True).start()
    with pytest.raises(KeyboardInterrupt):
        tolvane.Table(table_path).convert_file(big)
    assert big.read_bytes() == original
    assert sorted(os.listdir(tmp_path)) == ['tables', '大.txt']
