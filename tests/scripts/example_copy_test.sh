#!/usr/bin/env bash
# scripts/run opens a copy of the example in the build folder: building there must leave the source tree
# alone, and a second start must keep what the first one changed.
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

before=$(cd "$root/examples" && find . -type f -exec sha256sum {} + | sort)
project=$(HW_BUILD_DIR="$work/build dir" "$root/scripts/example")
[[ $project == "$work/build dir/example/Hello/Hello.hwp" ]] || fail "unexpected project path: $project"
[[ -f $project && -f $(dirname "$project")/Hello.java ]] || fail "the copy is incomplete"

# What a build leaves behind, and an edit, both land in the copy only.
echo edited >> "$(dirname "$project")/Hello.java"
touch "$(dirname "$project")/Hello.class"
again=$(HW_BUILD_DIR="$work/build dir" "$root/scripts/example")
[[ $again == "$project" ]] || fail "second call gave $again"
grep -q edited "$(dirname "$project")/Hello.java" || fail "the second call overwrote the copy"

after=$(cd "$root/examples" && find . -type f -exec sha256sum {} + | sort)
[[ $before == "$after" ]] || fail "the example folder changed"
