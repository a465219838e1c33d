#!/usr/bin/env bash
# `make install` and `make uninstall`. install puts what is built in BUILD_DIR under PREFIX,
# stripped, and builds nothing: run as root it must not leave root's files in the build. It keeps
# in BUILD_DIR/installed/ a record per prefix of every file it put there (from cmake's
# install_manifest.txt) and of every folder it had to create; uninstall takes exactly those away,
# the folders deepest first and each only when empty.
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
    while IFS= read -r file; do
        echo "-- Removing: $file"
        rm -f "$file"
    done <"$record.files"
    sort -r "$record.folders" | while IFS= read -r folder; do rmdir "$folder" 2>/dev/null || true; done
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
# An install over an earlier one adds to its record, which still holds the earlier folders.
mkdir -p "$build/installed"
touch "$record.files" "$record.folders"
sort -u -o "$record.files" "$record.files" "$build/install_manifest.txt"
sort -u -o "$record.folders" "$record.folders" "$stage/folders"
rm -f "$build/install_manifest.txt"
# Under sudo the records stay the build owner's, so the owner's next install can rewrite them.
chown -R --reference="$build" "$build/installed"
