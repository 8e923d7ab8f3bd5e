#!/usr/bin/env python3
"""Converts every file below a folder in place, in parallel with Dask: each
worker converts batches of files with the tolvane module.

    python3 dask_convert.py TABLE FOLDER [--scheduler ADDRESS] [--workers N]
                            [--characters-only]

Without --scheduler it starts a LocalCluster of N worker processes on this
machine; with it, the same code runs on that cluster's machines, which must
have tolvane installed and see FOLDER under the same path. Files are taken as
tolvane-cli -r takes them: in name order, leaving out backup folders,
temporary files and symbolic links.

Each file's original is moved into a backup folder beside it (~Vebzo01.bak)
before the converted text takes its place. A file that cannot be converted is
reported and left as it was; one that could not even be put back is reported
with the backup folder its original is in. A batch whose worker died is not
run again, since it may have converted some of its files already: each of
its files is reported, to be checked by hand. Exit status 0 when every file
was converted, 1 otherwise.
"""
import argparse
import os
import re
import sys

import dask
from dask.distributed import Client, LocalCluster, as_completed

import tolvane

BATCH = 64  # files flushed to disk together: many small files cost far less
TEMPORARY = re.compile(r'~Vebzo-[0-9A-Za-z]{6}\.tmp')


def files_below(folder):
    """The files below folder, in name order, as tolvane-cli -r takes them."""
    with os.scandir(folder) as scan:
        entries = sorted(scan, key=lambda entry: entry.name)
    for entry in entries:
        if entry.is_symlink():
            continue
        if entry.is_dir():
            if not (entry.name.startswith('~Vebzo') and entry.name.endswith('.bak')):
                yield from files_below(entry.path)
        elif entry.is_file() and not TEMPORARY.fullmatch(entry.name):
            yield entry.path


def batches(paths, size=BATCH):
    batch = []
    for path in paths:
        batch.append(path)
        if len(batch) == size:
            yield batch
            batch = []
    if batch:
        yield batch


def convert_batch(table, paths):
    """Runs on a worker: (path, None or why it failed) for each file."""
    return [(result.path, None if result.ok else str(result.error))
            for result in table.convert_files(paths)]


def convert_tree(client, table, folder):
    """Every file's report, batches in the order they finish."""
    shipped = client.scatter(table, broadcast=True)
    work = list(batches(files_below(folder)))
    futures = {client.submit(convert_batch, shipped, batch, pure=False): batch for batch in work}
    for future in as_completed(futures):
        try:
            yield from future.result()
        except Exception as lost:  # the worker died or the batch could not run
            for path in futures[future]:
                yield path, f'not known whether converted ({lost!r}): check it and its backup'


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('table', help='a table name, as tolvane.tables() lists it, or a path')
    parser.add_argument('folder')
    parser.add_argument('--scheduler', help="a Dask scheduler's address, e.g. tcp://host:8786")
    parser.add_argument('--workers', type=int, default=os.cpu_count())
    parser.add_argument('--characters-only', action='store_true')
    options = parser.parse_args()

    # Opened here first: a table that does not open stops the run before any file.
    table = tolvane.Table(options.table, characters_only=options.characters_only)
    # A lost worker's batch is reported, not run a second time.
    dask.config.set({'distributed.scheduler.allowed-failures': 0})
    cluster = None
    if options.scheduler is None:
        cluster = LocalCluster(n_workers=options.workers, threads_per_worker=1,
                               dashboard_address=None)
    converted = failed = 0
    with Client(options.scheduler or cluster) as client:
        for path, error in convert_tree(client, table, options.folder):
            if error is None:
                converted += 1
            else:
                failed += 1
                print(f'{path}: {error}', file=sys.stderr)
    if cluster is not None:
        cluster.close()
    print(f'{converted} converted, {failed} failed')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
