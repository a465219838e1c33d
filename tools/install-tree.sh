#!/usr/bin/env bash
# `make install` and `make uninstall`. install puts what is built in BUILD_DIR under PREFIX,
# stripped, and builds nothing: run as root it must not leave root's files in the build. It keeps
# in BUILD_DIR/installed/ a record per prefix of every file it put there (from cmake's
# install_manifest.txt), with its checksum, and of every folder it had to create. uninstall takes
# away only a recorded file that lies under PREFIX and is still what the install put there, then
# the recorded folders deepest first, each only when empty; it names every file it leaves.
# Usage: install-tree.sh install|uninstall BUILD_DIR PREFIX
set -euo pipefail
if [ $# -ne 3 ] || [[ $1 != install && $1 != uninstall ]]; then
    echo "usage: install-tree.sh install|uninstall BUILD_DIR PREFIX" >&2
    exit 2
fi
build=$2
prefix=$(realpath -m "$3")
record="$build/installed/$(printf '%s' "$prefix" | tr / %)"

if [ "$1" = uninstall ]; then
    if [ ! -f "$record.files" ]; then
        echo "uninstall: nothing was installed into $prefix from $build" >&2
        exit 1
    fi
    while IFS= read -r line; do
        sum=${line%%  *} file=${line#*  }
        [[ $line =~ ^[0-9a-f]{32}\ \ / ]] || sum="" file=$line  # an install's record from before checksums
        if [ ! -e "$file" ] && [ ! -L "$file" ]; then
            continue
        elif [[ $(realpath -m "$(dirname "$file")")/ != "$prefix"/* ]]; then
            echo "-- Left: $file (outside $prefix)"
        elif [ -L "$file" ] || [ ! -f "$file" ]; then
            echo "-- Left: $file (not the file installed)"
        elif [ -z "$sum" ]; then
            echo "-- Left: $file (no checksum recorded)"
        elif [ "$(md5sum <"$file" | cut -d' ' -f1)" != "$sum" ]; then
            echo "-- Left: $file (changed since it was installed)"
        else
            echo "-- Removing: $file"
            rm -f "$file"
        fi
    done <"$record.files"
    sort -r "$record.folders" | while IFS= read -r folder; do
        [[ $(realpath -m "$folder")/ != "$prefix"/* ]] || rmdir "$folder" 2>/dev/null || true
    done
    rm -f "$record.files" "$record.folders"
    exit 0
fi

if [ ! -x "$build/tapdash" ]; then
    echo "install: nothing is built in $build; run 'make build' first (as yourself, not as root)" >&2
    exit 1
fi
# A trial install into a scratch folder names the folders the real one will need.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$stage$prefix" && find . -mindepth 1 -type d) | while IFS= read -r folder; do
    folder="$prefix/${folder#./}"
    [ -d "$folder" ] || echo "$folder"
done >"$stage/folders"
cmake --install "$build" --prefix "$prefix" --strip
# An install over an earlier one adds to its record, which still holds the earlier folders; a file
# installed again takes its new checksum.
mkdir -p "$build/installed"
touch "$record.files" "$record.folders"
while IFS= read -r file || [ -n "$file" ]; do  # the manifest ends without a line end
    printf '%s  %s\n' "$(md5sum <"$file" | cut -d' ' -f1)" "$file"
done <"$build/install_manifest.txt" >"$stage/files"
awk '{ path = /^[0-9a-f]{32}  \// ? substr($0, 35) : $0 } !seen[path]++' "$stage/files" "$record.files" |
    sort -k2 -o "$record.files"
sort -u -o "$record.folders" "$record.folders" "$stage/folders"
rm -f "$build/install_manifest.txt"
# Under sudo the records stay the build owner's, so the owner's next install can rewrite them.
chown -R --reference="$build" "$build/installed"
