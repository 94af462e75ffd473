#!/usr/bin/env bash
# Times quillon-check against aspell's C mode and hunspell -l on the same real
# files of this machine, in one run, and prints the throughputs and ratios.
#   bench/compare_checkers.sh [MB of C headers, default 4]
# aspell checks only the comments of C-like files; quillon-check checks their
# comments and strings; hunspell -l checks every word.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
for tool in aspell hunspell hyperfine; do command -v "$tool" >/dev/null || need+=("$tool"); done
dpkg-query -W -f='${Status}' aspell-en 2>/dev/null | grep -q 'install ok installed' || need+=(aspell-en)
if ((${#need[@]})); then
  sudo_cmd=(); [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
# BUILD_DIR names a ready build folder; by default build/ is brought up to date.
build=${BUILD_DIR:-build}
[[ -n "${BUILD_DIR:-}" ]] || scripts/build main >/dev/null

megabytes=${1:-4}
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT

# Copies files matching a find expression until the byte budget is spent.
collect() {
  local dest=$1 budget=$2; shift 2
  mkdir -p "$dest"
  local total=0 n=0
  while IFS= read -r file; do
    local size; size=$(stat -c %s "$file")
    (( size == 0 || size > 262144 )) && continue
    (( total + size > budget )) && break
    cp "$file" "$dest/$n-$(basename "$file")"
    total=$((total + size)); n=$((n + 1))
  done < <(find "$@" -type f 2>/dev/null | sort)
  echo "$total"
}

budget=$((megabytes * 1024 * 1024))
c_bytes=$(collect "$corpus/c" "$budget" /usr/include -name '*.h')
py_bytes=$(collect "$corpus/py" $((budget / 2)) /usr/lib/python3.11 -name '*.py')
html_bytes=$(collect "$corpus/html" $((budget / 4)) /usr/share/doc -name '*.html')
xml_bytes=$(collect "$corpus/xml" $((budget / 4)) /usr/share/xml /usr/share/mime -name '*.xml')
echo "corpus: C headers $c_bytes B, Python $py_bytes B, HTML $html_bytes B, XML $xml_bytes B"

check="$build/quillon-check --data $build/data"
run_json=$(mktemp)
hyperfine --warmup 1 --runs 5 --export-json "$run_json" --style basic \
  -n "quillon-check (C)" "$check $corpus/c >/dev/null || true" \
  -n "quillon-check -j1 (C)" "$check --jobs 1 $corpus/c >/dev/null || true" \
  -n "aspell --mode=ccpp (C)" "cat $corpus/c/* | aspell --lang=en_US --mode=ccpp list >/dev/null" \
  -n "hunspell -l (C)" "hunspell -d /usr/share/hunspell/en_US -l $corpus/c/* >/dev/null" \
  -n "quillon-check (all)" "$check $corpus >/dev/null || true" \
  -n "hunspell -l (all)" "find $corpus -type f -exec hunspell -d /usr/share/hunspell/en_US -l {} + >/dev/null" \
  >/dev/null

python3 - "$run_json" "$c_bytes" "$((c_bytes + py_bytes + html_bytes + xml_bytes))" <<'PY'
import json, sys
runs = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
c_bytes, all_bytes = int(sys.argv[2]), int(sys.argv[3])
def rate(name, size): return size / runs[name] / 1e6
for name, size in [("quillon-check (C)", c_bytes), ("quillon-check -j1 (C)", c_bytes),
                   ("aspell --mode=ccpp (C)", c_bytes), ("hunspell -l (C)", c_bytes),
                   ("quillon-check (all)", all_bytes), ("hunspell -l (all)", all_bytes)]:
    print(f"{name:26s} {runs[name]*1000:9.1f} ms  {rate(name, size):7.2f} MB/s")
print(f"quillon-check / aspell on C:        {rate('quillon-check (C)', c_bytes) / rate('aspell --mode=ccpp (C)', c_bytes):.2f}x")
print(f"quillon-check -j1 / aspell on C:    {rate('quillon-check -j1 (C)', c_bytes) / rate('aspell --mode=ccpp (C)', c_bytes):.2f}x")
print(f"quillon-check / hunspell -l on all: {rate('quillon-check (all)', all_bytes) / rate('hunspell -l (all)', all_bytes):.2f}x")
PY
rm -f "$run_json"
