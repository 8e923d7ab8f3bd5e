#!/usr/bin/env bash
# Drives the real tolvane-cli through kills, signals, full and read-only disks,
# vanishing files, odd file kinds and names, concurrent runs and many files,
# and checks after every case that nothing was lost or misplaced: the original
# bytes are at the file's path or in its newest backup folder, and the path
# holds the original, nothing, or the complete converted file. A stop signal
# must put the original back at its path and end with 128 + its number.
#
#   scripts/fault-matrix.sh [tolvane-cli]    (default: build/default/bin/tolvane-cli)
#
# Mounts small file systems when run as root; otherwise a file-size limit
# stands in for the full disk and the read-only case is skipped.
set -uo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/default/bin/tolvane-cli}")
[ -x "$cli" ] || { echo "fault-matrix: $cli is not built" >&2; exit 2; }

work=$(mktemp -d /tmp/tolvane-faults.XXXXXX)
mounts=()
cleanup() {
    for m in "${mounts[@]}"; do umount -l "$m" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

rows=()
failures=0
record() { # case, outcome, verdict
    rows+=("$(printf '%-34s %-44s %s' "$1" "$2" "$3")")
    [ "$3" = holds ] || failures=$((failures + 1))
}

# A table whose second application differs from the first (a->b, b->c), so a
# doubly converted file is told from a converted one.
table="$work/链.txt"
printf 'a b\r\nb c\r\n' >"$table"
convert_once() { "$cli" -q -t "$table" - <"$1"; }

# The newest backup of a file: the highest-numbered ~VebzoNN.bak beside it.
newest_backup() {
    local dir name
    dir=$(dirname "$1") name=$(basename "$1")
    find "$dir" -maxdepth 1 -name '~Vebzo*.bak' -type d -printf '%f\n' 2>/dev/null |
        sed 's/^~Vebzo\([0-9]*\)\.bak$/\1/' | sort -n | tail -n 1 |
        while read -r n; do echo "$dir/~Vebzo$n.bak/$name"; done
}

# invariant PATH ORIGINAL CONVERTED: prints "holds" or what broke.
invariant() {
    local path=$1 original=$2 converted=$3 backup
    backup=$(newest_backup "$path")
    if [ -e "$path" ] && ! cmp -s "$path" "$original" && ! cmp -s "$path" "$converted"; then
        echo "path holds other bytes"
    elif ! cmp -s "$path" "$original" && { [ -z "$backup" ] || ! cmp -s "$backup" "$original"; }; then
        echo "original lost"
    else
        echo holds
    fi
}

# A text file of about SIZE_MB megabytes made of "a" lines.
make_text() { yes aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa | head -c "$(($2 * 1048576))" >"$1"; }

state_of() { # what the path holds now, in words
    if [ ! -e "$1" ]; then echo nothing
    elif cmp -s "$1" "$2"; then echo original
    elif cmp -s "$1" "$3"; then echo converted
    else echo other; fi
}

prepare() { # NAME SIZE_MB: a fresh folder with one file, its original and converted bytes
    local dir="$work/$1"
    rm -rf "$dir" && mkdir -p "$dir"
    make_text "$dir/f.txt" "$2"
    cp "$dir/f.txt" "$work/$1.orig"
    convert_once "$dir/f.txt" >"$work/$1.conv"
}

# --- kill -9 at random moments of a 200 MB conversion -----------------------
prepare big 200
start=$(date +%s%N)
"$cli" -q -t "$table" "$work/big/f.txt" >/dev/null 2>&1
full_ms=$((($(date +%s%N) - start) / 1000000))
seen=()
for i in $(seq 1 20); do
    rm -rf "$work/big" && mkdir "$work/big" && cp "$work/big.orig" "$work/big/f.txt"
    delay=$((RANDOM % (full_ms + 1)))
    "$cli" -q -t "$table" "$work/big/f.txt" >/dev/null 2>&1 &
    pid=$!
    sleep "$(printf '0.%03d' "$delay")" 2>/dev/null || sleep 0
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    verdict=$(invariant "$work/big/f.txt" "$work/big.orig" "$work/big.conv")
    seen+=("$(state_of "$work/big/f.txt" "$work/big.orig" "$work/big.conv")")
    record "kill -9 #$i at ${delay} ms of ${full_ms}" "path: ${seen[-1]}" "$verdict"
done

# --- signals: the file is put back, exit 128 + signal ------------------------
# A shell without job control starts background commands with SIGINT ignored,
# and a caller under nohup ignores SIGHUP; the program keeps what it inherits,
# so env gives every signal its default, as a terminal would.
for sig in TERM HUP INT; do
    rm -rf "$work/big" && mkdir "$work/big" && cp "$work/big.orig" "$work/big/f.txt"
    env --default-signal "$cli" -q -t "$table" "$work/big/f.txt" >/dev/null 2>&1 &
    pid=$!
    sleep "$(printf '0.%03d' $((full_ms / 3)))"
    kill -s "$sig" "$pid"
    wait "$pid"
    code=$?
    state=$(state_of "$work/big/f.txt" "$work/big.orig" "$work/big.conv")
    want=$((128 + $(kill -l "$sig")))
    record "SIG$sig mid-run" "exit $code, path: $state" \
        "$([ "$code" -eq "$want" ] && [ "$state" = original ] && echo holds || echo "not put back with exit $want")"
done

# --- a full disk --------------------------------------------------------------
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p "$work/full" && mount -t tmpfs -o size=6m tmpfs "$work/full" && mounts+=("$work/full")
    make_text "$work/full/f.txt" 4
    how="tmpfs of 6 MB"
else
    mkdir -p "$work/full" && make_text "$work/full/f.txt" 4
    how="file-size limit"
fi
cp "$work/full/f.txt" "$work/full.orig" && convert_once "$work/full.orig" >"$work/full.conv"
if [ "$how" = "file-size limit" ]; then
    (ulimit -f 2048; "$cli" -q -t "$table" "$work/full/f.txt" >/dev/null 2>&1); code=$?
else
    "$cli" -q -t "$table" "$work/full/f.txt" >/dev/null 2>&1; code=$?
fi
record "full disk ($how)" "exit $code, path: $(state_of "$work/full/f.txt" "$work/full.orig" "$work/full.conv")" \
    "$(invariant "$work/full/f.txt" "$work/full.orig" "$work/full.conv")"

# --- a read-only file system ----------------------------------------------------
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p "$work/ro" && mount -t tmpfs -o size=8m tmpfs "$work/ro" && mounts+=("$work/ro")
    make_text "$work/ro/f.txt" 1
    cp "$work/ro/f.txt" "$work/ro.orig" && convert_once "$work/ro.orig" >"$work/ro.conv"
    mount -o remount,ro "$work/ro"
    "$cli" -q -t "$table" "$work/ro/f.txt" >/dev/null 2>&1; code=$?
    record "read-only file system" "exit $code, path: $(state_of "$work/ro/f.txt" "$work/ro.orig" "$work/ro.conv")" \
        "$(invariant "$work/ro/f.txt" "$work/ro.orig" "$work/ro.conv")"
else
    rows+=("$(printf '%-34s %s' "read-only file system" "skipped: needs root for a mount")")
fi

# --- files vanishing or replaced by a folder mid-run ---------------------------
rm -rf "$work/many" && mkdir -p "$work/many"
for n in $(seq 1 40); do make_text "$work/many/$n.txt" 2; done
cp "$work/many/1.txt" "$work/many.orig" && convert_once "$work/many.orig" >"$work/many.conv"
"$cli" -q -r -t "$table" "$work/many" >/dev/null 2>&1 &
pid=$!
sleep 0.05
rm -f "$work/many/39.txt"
rm -f "$work/many/40.txt" && mkdir "$work/many/40.txt"
wait "$pid"; code=$?
broken=0
for n in $(seq 1 38); do
    [ "$(invariant "$work/many/$n.txt" "$work/many.orig" "$work/many.conv")" = holds ] || broken=$((broken + 1))
done
record "files vanish / become a folder" "exit $code, $broken of 38 others broken" \
    "$([ "$broken" -eq 0 ] && echo holds || echo "$broken broken")"

# --- odd kinds of file and odd names -------------------------------------------
odd="$work/odd" && rm -rf "$odd" && mkdir -p "$odd/real"
mkfifo "$odd/fifo.txt"
timeout 20 "$cli" -q -t "$table" "$odd/fifo.txt" >/dev/null 2>&1; code=$?
record "FIFO named" "exit $code, $( [ -p "$odd/fifo.txt" ] && echo 'FIFO in place' || echo 'FIFO moved')" \
    "$([ "$code" != 124 ] && [ -p "$odd/fifo.txt" ] && echo holds || echo 'hung or moved')"
if [ "$(id -u)" -eq 0 ]; then
    mknod "$odd/null.txt" c 1 3
    timeout 20 "$cli" -q -t "$table" "$odd/null.txt" >/dev/null 2>&1; code=$?
    record "device node named" "exit $code, $( [ -c "$odd/null.txt" ] && echo 'device in place' || echo 'device replaced')" \
        "$([ "$code" != 124 ] && [ -c "$odd/null.txt" ] && echo holds || echo 'hung or replaced')"
fi
make_text "$odd/real/target.txt" 1
cp "$odd/real/target.txt" "$work/odd.orig" && convert_once "$work/odd.orig" >"$work/odd.conv"
ln -s real/target.txt "$odd/link.txt"
"$cli" -q -t "$table" "$odd/link.txt" >/dev/null 2>&1; code=$?
record "symbolic link named" "exit $code, $( [ -L "$odd/link.txt" ] && echo 'still a link' || echo 'link replaced'), target: $(state_of "$odd/real/target.txt" "$work/odd.orig" "$work/odd.conv")" \
    "$([ -L "$odd/link.txt" ] && [ "$(invariant "$odd/real/target.txt" "$work/odd.orig" "$work/odd.conv")" = holds ] && echo holds || echo broken)"
for name in " lead.txt" "trail.txt " " both "; do
    make_text "$odd/$name" 1
    "$cli" -q -t "$table" "$odd/$name" >/dev/null 2>&1; code=$?
    trimmed=$(echo "$name" | sed 's/^ *//; s/ *$//')
    stray=$([ "$trimmed" != "$name" ] && [ -e "$odd/$trimmed" ] && echo yes || echo no)
    record "name \"$name\"" "exit $code, path: $(state_of "$odd/$name" "$work/odd.orig" "$work/odd.conv")" \
        "$([ "$stray" = no ] && [ "$(invariant "$odd/$name" "$work/odd.orig" "$work/odd.conv")" = holds ] && echo holds || echo 'written elsewhere')"
done

# --- two runs on the same file at the same time --------------------------------
prepare twice 100
"$cli" -q -t "$table" "$work/twice/f.txt" >/dev/null 2>"$work/twice.err1" &
first=$!
"$cli" -q -t "$table" "$work/twice/f.txt" >/dev/null 2>"$work/twice.err2" &
second=$!
wait "$first"; code1=$?
wait "$second"; code2=$?
record "two runs at once" "exits $code1 and $code2, path: $(state_of "$work/twice/f.txt" "$work/twice.orig" "$work/twice.conv")" \
    "$(invariant "$work/twice/f.txt" "$work/twice.orig" "$work/twice.conv")"

# --- 10,000 files with -r -------------------------------------------------------
rm -rf "$work/ten" && mkdir -p "$work/ten"
printf 'abc\r\n' >"$work/ten.orig" && convert_once "$work/ten.orig" >"$work/ten.conv"
for d in $(seq 0 99); do
    mkdir "$work/ten/$d"
    for f in $(seq 0 99); do cp "$work/ten.orig" "$work/ten/$d/$f.txt"; done
done
start=$(date +%s%N)
"$cli" -q -r -t "$table" "$work/ten" >/dev/null 2>&1; code=$?
ms=$((($(date +%s%N) - start) / 1000000))
converted=$(find "$work/ten" -path '*~Vebzo*' -prune -o -name '*.txt' -type f -print0 | xargs -0 cmp -s -- "$work/ten.conv" 2>/dev/null; find "$work/ten" -path '*~Vebzo*' -prune -o -name '*.txt' -type f -print | while read -r f; do cmp -s "$f" "$work/ten.conv" && echo x; done | wc -l)
record "10,000 files with -r" "exit $code in $ms ms, $converted converted" \
    "$([ "$converted" -eq 10000 ] && echo holds || echo "$((10000 - converted)) not converted")"

printf '\n%-34s %-44s %s\n' case outcome invariant
printf '%s\n' "${rows[@]}"
echo
if [ "$failures" -eq 0 ]; then
    echo "fault matrix: ${#rows[@]} cases, every one holds the invariant"
else
    echo "fault matrix: $failures case(s) break the invariant"
    exit 1
fi
