#!/usr/bin/env bash
# The options that end the program work without a display; an unknown option is refused before any
# window, and '--' lets a file named like an option through.
# Usage: command_line_test.sh <handwright program> <expected version>
set -uo pipefail
program=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# No display of any kind: reaching QApplication would fail loudly.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export HANDWRIGHT_REGISTRY=$work/registry.sqlite XDG_CONFIG_HOME=$work/config
ulimit -c 0

run() { timeout 60 "$program" "$@" >"$work/out" 2>"$work/err"; echo $?; }

# arguments | exit code | what stdout starts with
while IFS='|' read -r args code start; do
    read -ra argv <<<"$args"
    rc=$(run "${argv[@]}")
    [[ $rc == "$code" ]] || fail "'$args' exited $rc, expected $code; stderr: $(cat "$work/err")"
    [[ $(head -c ${#start} "$work/out") == "$start" ]] || fail "'$args' printed: $(cat "$work/out")"
    [[ ! -s $work/err ]] || fail "'$args' wrote to stderr: $(cat "$work/err")"
done <<EOF_CASES
--version|0|handwright $version
-v|0|handwright $version
--help|0|Usage: handwright
-h|0|Usage: handwright
-style fusion --version|0|handwright $version
--platform=offscreen --help|0|Usage: handwright
Hello.hwp --version|0|handwright $version
EOF_CASES
# The version, then whose the program is and under which licence.
expected="0
handwright $version
Copyright (C) 2026 Kovrin Handwright developers
This program comes with ABSOLUTELY NO WARRANTY. This is free software, and you are welcome to redistribute it under the terms of the GNU General Public License, version 3 or later."
[[ $(run --version; cat "$work/out") == "$expected" ]] || fail "--version printed: $(cat "$work/out")"

# Unknown options: exit 2, the offending option named on stderr, nothing on stdout; a later --help does not
# rescue the line.
# arguments | the option named
while IFS='|' read -r args named; do
    read -ra argv <<<"$args"
    rc=$(run "${argv[@]}")
    [[ $rc == 2 ]] || fail "'$args' exited $rc, expected 2"
    [[ ! -s $work/out ]] || fail "'$args' printed to stdout: $(cat "$work/out")"
    grep -qF "unknown option '$named'" "$work/err" || fail "'$args' gave no clear message: $(cat "$work/err")"
done <<EOF_CASES
--bogus|--bogus
-x|-x
--versions|--versions
-platformx offscreen|-platformx
--bogus --help|--bogus
Hello.hwp -q|-q
EOF_CASES

# After '--' a name like an option is a file: the program goes on to start (and, with no display, fails
# there), without refusing it.
for args in "-- --bogus" "-- --version"; do
    read -ra argv <<<"$args"
    rc=$(run "${argv[@]}")
    [[ $rc != 0 && $rc != 2 ]] || fail "'$args' exited $rc: it was taken as an option"
    ! grep -q "unknown option" "$work/err" || fail "'$args' was refused: $(cat "$work/err")"
    [[ ! -s $work/out ]] || fail "'$args' printed: $(cat "$work/out")"
done
# No display, or one that leads nowhere: one line on stderr and exit 1, before any window, never Qt's abort
# with its core. The variables are set on top of the cleared environment.
nowhere=:$((9000 + RANDOM % 900))
while [[ -e /tmp/.X11-unix/X${nowhere#:} ]]; do nowhere=:$((${nowhere#:} + 1)); done
# environment | arguments | what the line says
while IFS='|' read -r envs args said; do
    read -ra vars <<<"$envs"
    read -ra argv <<<"$args"
    rc=$(env "${vars[@]}" timeout 60 "$program" "${argv[@]}" >"$work/out" 2>"$work/err"; echo $?)
    [[ $rc == 1 ]] || fail "'$envs $args' exited $rc, expected 1; stderr: $(cat "$work/err")"
    [[ $(wc -l <"$work/err") == 1 ]] || fail "'$envs $args' wrote more than one line: $(cat "$work/err")"
    grep -qF "handwright: cannot open a window: $said" "$work/err" || fail "'$envs $args' said: $(cat "$work/err")"
    [[ ! -s $work/out ]] || fail "'$envs $args' printed: $(cat "$work/out")"
done <<EOF_CASES
HOME=$work||there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)
HOME=$work|Hello.hwp|there is no display
HOME=$work|-- --bogus|there is no display
DISPLAY=$nowhere||could not connect to display $nowhere
HOME=$work|-display $nowhere|could not connect to display $nowhere
QT_QPA_PLATFORM=xcb||could not connect to display
EOF_CASES
echo "command line: ok"
