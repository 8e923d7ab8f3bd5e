"""examples/dask_convert.py on a small tree, on a LocalCluster: every text
file converted with its original in its backup folder, the others reported
and left as they were."""
import os
import pathlib
import subprocess
import sys

EXAMPLE = pathlib.Path(__file__).resolve().parents[2] / 'examples' / 'dask_convert.py'


def test_the_dask_example_converts_a_tree_and_reports_what_fails(table_path, tmp_path):
    tree = tmp_path / 'tree'
    texts = {}
    for k in range(150):  # more than two batches
        folder = tree / f'{k % 3}' / f'{k % 5}'
        folder.mkdir(parents=True, exist_ok=True)
        encoding = 'gbk' if k % 2 else 'utf-8'
        texts[folder / f'{k}.txt'] = (f'复制{k}简体'.encode(encoding),
                                      f'複製{k}簡體'.encode(encoding))
    for path, (original, _) in texts.items():
        path.write_bytes(original)
    (tree / 'binary.dat').write_bytes(b'\0' * 10)
    (tree / '~Vebzo01.bak').mkdir()
    (tree / '~Vebzo01.bak' / 'earlier.txt').write_bytes('简体'.encode('gbk'))
    os.symlink(tree / '0' / '0' / '0.txt', tree / 'link.txt')

    run = subprocess.run([sys.executable, EXAMPLE, str(table_path), str(tree), '--workers', '2'],
                         capture_output=True, text=True, timeout=600)
    assert run.returncode == 1, run.stderr
    assert '150 converted, 1 failed' in run.stdout
    assert f'{tree / "binary.dat"}: ' in run.stderr
    for path, (original, converted) in texts.items():
        assert path.read_bytes() == converted, path
        assert (path.parent / '~Vebzo01.bak' / path.name).read_bytes() == original, path
    assert (tree / 'binary.dat').read_bytes() == b'\0' * 10
    assert (tree / '~Vebzo01.bak' / 'earlier.txt').read_bytes() == '简体'.encode('gbk')
    assert os.path.islink(tree / 'link.txt')
    assert not list(tree.rglob('*.tmp'))
