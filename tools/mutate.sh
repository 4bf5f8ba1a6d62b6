#!/usr/bin/env bash
# Do the tests catch the slips a developer makes? For each FILE, makes every one-line
# mutant of a few kinds (a comparison off by one or turned round, a constant changed,
# a line deleted, min for max, + for -, true for false, a ! dropped, && for ||),
# rebuilds, and runs the fast tests (CTest's label "fast": the unit tests and the
# scenarios) against it. Prints the share caught per file and the mutants that got
# through, as FILE:LINE and the mutation. A mutant that does not build is no slip
# anyone ships: it is left out of the count.
#   tools/mutate.sh [-B BUILD_DIR] [-t SECONDS] [-R REGEX] FILE...
# REGEX runs only the fast tests whose names it matches (CTest's -R), and builds only
# their programs: the suites that test a file give its share in minutes, not hours,
# and a share no higher than all of the tests would give.
# BUILD_DIR (default build-mutate) is configured with the default preset if it does
# not exist yet. SECONDS (default 120) is the most a mutant's tests may take, and half
# of it the most one test may: a mutant that hangs a test is caught. Each file is put back after each mutant, also when
# the run is interrupted. A developer's tool: it takes minutes a file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build=""
limit=120
only=()
while getopts "B:t:R:" option; do
  case $option in
    B) build=$(realpath -m "$OPTARG") ;;
    t) limit=$OPTARG ;;
    R) only=(-R "$OPTARG") ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if (($# == 0)); then
  echo "usage: tools/mutate.sh [-B BUILD_DIR] [-t SECONDS] [-R REGEX] FILE..." >&2
  exit 2
fi
files=()
for file in "$@"; do
  [ -f "$file" ] || { echo "mutate.sh: no such file: $file" >&2; exit 2; }
  files+=("$(realpath --relative-to="$root" "$file")")
done
cd "$root"
build=${build:-build-mutate}

work=$(mktemp -d)
original=""  # the file a mutant stands in, while one does
restore() {
  if [ -n "$original" ]; then
    cat "$work/original" >"$original"  # a new time, so that make builds it again
    original=""
  fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

export CCACHE_BASEDIR=$PWD
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake --preset default -B "$build" "${launcher[@]}" >/dev/null
fi

build_and_test() {
  cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" >"$work/build.log" 2>&1 || return 2
  timeout "$limit" ctest --test-dir "$build" -L fast "${only[@]}" -j"$(nproc)" --stop-on-failure --timeout "$((limit / 2))" \
    >"$work/test.log" 2>&1 || return 1
}

echo "Building and testing as it is..." >&2
cmake --build "$build" -j"$(nproc)" >"$work/build.log" 2>&1 || { tail -20 "$work/build.log" >&2; exit 1; }
# Only the programs the fast tests run are built again for each mutant.
mapfile -t targets < <(ctest --test-dir "$build" -L fast "${only[@]}" --show-only=json-v1 | python3 -c '
import json, os, sys
print("\n".join(sorted({os.path.basename(t["command"][0]) for t in json.load(sys.stdin)["tests"]})))')
if ! build_and_test; then
  echo "mutate.sh: $build does not build, or its fast tests fail, before any mutant:" >&2
  tail -20 "$work/build.log" "$work/test.log" >&2 2>/dev/null
  exit 1
fi

# Writes the mutants of file $1 into folder $2: N.cpp and, in N.txt, "LINE: MUTATION:
# the line as the mutant has it".
make_mutants() {
  python3 - "$1" "$2" <<'PYTHON'
import re, sys

source, folder = sys.argv[1], sys.argv[2]
lines = open(source).read().split("\n")

# Binary operators as this code writes them, spaces around; strings and comments are
# masked first, so that only code is changed.
SWAPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
         (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
         (" + ", " - "), (" - ", " + "), (" * ", " / "), (" / ", " * ")]
WORDS = [("std::min", "std::max"), ("std::max", "std::min"), ("true", "false"), ("false", "true"),
         ("++", "--"), ("--", "++")]
NUMBER = re.compile(r"(?<![\w.])(0x[0-9a-f]+|\d+)([uUlL]*)(?![\w.'])")
DECLARATION = re.compile(r"^\s*(?:(?:const|constexpr|static|inline)\s+)*[\w:<>,]+[\s&*]+\w+\s*(?:[=;{(\[]|$)")

def masked(line):
    """The line with its strings, characters and comment blanked out, same length."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out += "  "; i += 2; continue
            if c == quote: quote = None; out.append(c)
            else: out.append(" ")
        elif c in "\"'":
            quote = c; out.append(c)
        elif line.startswith("//", i):
            out += " " * (len(line) - i); break
        else:
            out.append(c)
        i += 1
    return "".join(out)[:len(line)]

def mutants(line):
    code = masked(line)
    stripped = code.strip()
    if not stripped or stripped.startswith("#") or stripped.startswith("namespace") or stripped == "}":
        return
    for old, new in SWAPS + WORDS:
        word = old[0].isalpha() or old.startswith("std::")
        for m in re.finditer(re.escape(old), code):
            if word and (code[m.start() - 1:m.start()].isalnum() or code[m.end():m.end() + 1].isalnum()):
                continue
            yield line[:m.start()] + new + line[m.end():], f"{old.strip()} -> {new.strip()}"
    for m in re.finditer(r"!(?!=)", code):
        yield line[:m.start()] + line[m.end():], "! dropped"
    for m in NUMBER.finditer(code):
        text = m.group(1)
        value = int(text, 0)
        for changed in sorted({value + 1, max(value - 1, 0)} - {value}):
            written = (f"{changed:#04x}" if text.startswith("0x") else str(changed)) + m.group(2)
            yield line[:m.start()] + written + line[m.end():], f"{text}{m.group(2)} -> {written}"
    # A statement that begins on this line; not a return, which the function needs.
    if stripped.endswith(";") and not stripped.startswith(("return", "}", ")")) and not DECLARATION.match(code):
        yield None, "line deleted"

count = 0
for number, line in enumerate(lines, 1):
    for new, what in mutants(line):
        count += 1
        changed = lines[:number - 1] + ([] if new is None else [new]) + lines[number:]
        open(f"{folder}/{count}.cpp", "w").write("\n".join(changed))
        shown = line.strip() if new is None else new.strip()
        open(f"{folder}/{count}.txt", "w").write(f"{number}: {what}: {shown}")
PYTHON
}

summary=()
for file in "${files[@]}"; do
  rm -rf "$work/mutants" && mkdir "$work/mutants"
  make_mutants "$file" "$work/mutants"
  total=$(find "$work/mutants" -name '*.txt' | wc -l)
  caught=0 built=0 survivors=()
  cp "$file" "$work/original"
  for ((n = 1; n <= total; n++)); do
    what=$(cat "$work/mutants/$n.txt")
    original=$file
    cat "$work/mutants/$n.cpp" >"$file"
    status=0
    build_and_test || status=$?
    restore
    case $status in
      0) built=$((built + 1)); survivors+=("$file:$what"); result="SURVIVED" ;;
      1) built=$((built + 1)); caught=$((caught + 1)); result="caught" ;;
      *) result="does not build" ;;
    esac
    printf '%s [%d/%d] %s: %s\n' "$file" "$n" "$total" "$result" "$what" >&2
  done
  share=0
  ((built > 0)) && share=$((100 * caught / built))
  summary+=("$file: $caught of $built mutants caught ($share %)")
  for survivor in "${survivors[@]}"; do summary+=("  survived: $survivor"); done
done
# The build again as the sources are.
cmake --build "$build" -j"$(nproc)" >/dev/null 2>&1 || true
printf '%s\n' "${summary[@]}"
