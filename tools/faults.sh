#!/usr/bin/env bash
# A fault study: puts each fault of the list into the code alone, builds the test build, runs every
# test but the end-to-end ones, puts the code back (always, even on Ctrl-C), and says which test
# caught the fault or that it escaped, then the total.
# Usage: tools/faults.sh BUILD_DIR [LIST] [NAME...]   (NAME...: only those faults)
# LIST (tools/faults.list): one fault a line, tab-separated: name, file, original text (found
# exactly once in the file), its faulty replacement, \n in either a line end; '#' starts a comment.
set -u
build=$(realpath "$1") list=${2:-$(dirname "$0")/faults.list}
shift $(($# < 2 ? $# : 2))
root=$(cd "$(dirname "$0")/.." && pwd)
saved=$(mktemp) log=$(mktemp) faulty=""
restore() { [ -z "$faulty" ] || cp "$saved" "$root/$faulty"; faulty=""; }
trap 'restore; rm -f "$saved" "$log"' EXIT
trap 'exit 130' INT TERM
# The test programs alone are built for each fault (the build is ninja's, as the Makefile makes it)
tests=$(ninja -C "$build" -t targets all | sed -n 's/^\([A-Za-z0-9_]*_test\): phony$/\1/p' | grep -v '^cmake_')
caught=0 total=0
while IFS=$'\t' read -r -u 3 name file original faulty_text; do
    [[ -z $name || $name == \#* ]] && continue
    [ $# -eq 0 ] || [[ " $* " == *" $name "* ]] || continue
    original=${original//\\n/$'\n'} faulty_text=${faulty_text//\\n/$'\n'}
    text=$(cat "$root/$file" && printf x) && text=${text%x}
    rest=${text#*"$original"}
    if [[ $rest == "$text" || $rest == *"$original"* ]]; then
        printf '%-32s BAD ENTRY: the original text is not in %s exactly once\n' "$name" "$file"
        continue
    fi
    cp "$root/$file" "$saved" && faulty=$file
    printf '%s' "${text/"$original"/"$faulty_text"}" >"$root/$file"
    total=$((total + 1))
    if ! cmake --build "$build" -j2 --target $tests >"$log" 2>&1; then
        verdict="BAD ENTRY: does not build"
        total=$((total - 1))
    elif (cd "$build" && ctest -LE e2e -j8 --stop-on-failure --timeout 60 >"$log" 2>&1); then
        verdict="escaped"
    else
        caught=$((caught + 1))
        verdict="caught by $(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$log" | sort -u | tr '\n' ' ')"
    fi
    restore
    printf '%-32s %s\n' "$name" "$verdict"
done 3<"$list"
cmake --build "$build" -j2 >/dev/null 2>&1  # back to the code as it is
echo "caught $caught of $total ($((total ? 100 * caught / total : 0)) %)"
