#!/usr/bin/env bash
# House rules the compiler does not check, in seconds, before any build:
#   layers     game/sim includes no engine device header, no <chrono> and
#              nothing of headless/ or program/; game/headless nothing of
#              program/; the engine and the settings dialog no game header
#   platform   SDL, OpenAL, FFmpeg, fontconfig, libcurl and libsquish only in
#              engine/src/platform/; Qt only in settings/ and its tests
#   format     every C++ source as clang-format writes it (.clang-format)
#   words      no document names or section numbers of the system's design
#              papers in code, comments, tests or file names
#
#   scripts/check-sources.sh [TREE]   (default: this repository)
#
# In a git checkout the tracked and new (not ignored) files are checked,
# elsewhere every file below TREE. Exit code 1 names every broken rule.
set -uo pipefail
tree=${1:-"$(dirname "$(readlink -f "$0")")/.."}
cd "$tree" || exit 2

if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && [ -z "${1:-}" ]; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard | while read -r f; do
    [ -f "$f" ] && printf '%s\n' "$f"
  done)
else
  mapfile -t files < <(find . -type f -not -path './.git/*' -not -path './build*' | sed 's|^\./||' | sort)
fi
mapfile -t sources < <(printf '%s\n' "${files[@]}" | grep -E '\.(cpp|h)$')

failed=0
report() {  # rule, explanation, offending lines
  if [ -n "$3" ]; then
    echo "check-sources: $1: $2" >&2
    printf '%s\n' "$3" | sed 's/^/  /' >&2
    failed=1
  fi
}

# Lines of the sources under the given folders (a regex on the path) that
# match an include pattern.
includes() {  # path regex, include pattern
  local picked
  picked=$(printf '%s\n' "${sources[@]}" | grep -E "$1") || return 0
  # shellcheck disable=SC2086
  printf '%s\n' "$picked" | xargs -r -d '\n' grep -nHE "^\s*#\s*include\s*$2" || true
}

report layers "the simulation reaches no device, clock, runner or program header" \
  "$(includes '^game/sim/' '(<quillon/(engine|extra|texture|mp3player|frame_wait)\.h>|<chrono>|"(headless|program)/)')"
report layers "the headless runners never include the program" \
  "$(includes '^game/headless/' '"program/')"
report layers "the engine and the settings dialog include no game header" \
  "$(includes '^(engine|settings)/' '"(sim|headless|program)/')"

platform='[<"](SDL[^">]*|AL/[^">]*|al\.h|alc\.h|libav[^">]*|libsw[^">]*|fontconfig/[^">]*|curl/[^">]*|squish\.h)[">]'
report platform "SDL, OpenAL, FFmpeg, fontconfig, libcurl and libsquish only in engine/src/platform/" \
  "$(includes '^(engine/(include|src)/|game/|settings/)' "$platform" | grep -v '^engine/src/platform/')"
report platform "Qt only in settings/ and its tests" \
  "$(includes '.' '<Q[A-Za-z]' | grep -vE '^(settings|tests/settings)/')"

if command -v clang-format >/dev/null 2>&1; then
  unformatted=$(printf '%s\n' "${sources[@]}" | xargs -r -d '\n' clang-format --dry-run 2>&1 |
    grep -oE '^[^:]+\.(cpp|h):' | sort -u | tr -d ':')
  report format "not formatted as .clang-format says (run: clang-format -i FILE)" "$unformatted"
else
  echo "check-sources: format: clang-format is missing (scripts/install-deps.sh installs it)" >&2
  failed=1
fi

# Spelt with classes so that this file does not match itself.
words='\bspe[c]s?\b|spe[c]ification|\bPart[s]? [0-9]+\.[0-9]+'
report words "code, comments, tests and scripts say what the code does, not which document asked for it" \
  "$(printf '%s\n' "${files[@]}" | xargs -r -d '\n' grep -nHIiE "$words" || true)"
report words "file names" "$(printf '%s\n' "${files[@]}" | grep -iE 'spe[c]|(^|/)part[-_ ]?[0-9]' || true)"

if [ "$failed" -ne 0 ]; then exit 1; fi
echo "check-sources: ok (${#sources[@]} sources)"
