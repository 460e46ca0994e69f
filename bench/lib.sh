# The side-by-side benchmark scripts' common steps; sourced with the build folder as $1.
# Sets root, build, tools and work (a temporary folder, removed at exit).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
tools=${TB_TOOLS:-$root/../shared/tools}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# keyword_folder COUNT FOLDER [PREFIX]: the harness's COUNT keywords, in $work/kwCOUNT.txt
# and as FOLDER/data.lst (Shift-JIS with CR LF; these keywords are ASCII), with an entry file,
# as a registered keyword has, for every keyword starting with PREFIX (all when none is given),
# so that typing shows entries rather than open errors; and the build's program beside them.
keyword_folder() {
  local count=$1 folder=$2 prefix=${3:-}
  /usr/bin/python3 "$tools/gen-keywords.py" "$count" > "$work/kw$count.txt"
  mkdir -p "$folder/data"
  sed 's/$/\r/' "$work/kw$count.txt" > "$folder/data.lst"
  /usr/bin/python3 - "$work/kw$count.txt" "$folder/data" "$prefix" <<'PY'
import sys
with open(sys.argv[1]) as words:
    for word in (w.strip() for w in words):
        if word.startswith(sys.argv[3]):
            with open(f"{sys.argv[2]}/{word}", "wb") as entry:
                entry.write(b"/usr/bin/true\r\n" + word.encode() + b"\r\n\r\n")
PY
  cp "$build/tblaunch" "$build/tblaunch-applications" "$folder/"
}
