#!/usr/bin/env bash
# Builds every GLSL text of the GL core with glslangValidator (Debian's glslang-tools) as
# the browser and the desktop get it: `#version 300 es` with precision lines, and
# `#version 330 core`, each with and without the vertex shaders clamping depth.
#   scripts/check-glsl.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
command -v glslangValidator >/dev/null || { echo "glslangValidator not found (apt-get install glslang-tools)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Every `const char kNameSource[] = R"( ... )";` in platform/gl, one file per shader.
python3 - "$root/platform/gl" "$work" <<'PY'
import pathlib, re, sys
source_dir, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
found = 0
for cpp in sorted(source_dir.glob("*.cpp")):
    for name, body in re.findall(r'const char (k\w+Source)\[\] = R"\((.*?)\)";', cpp.read_text(), re.S):
        stage = "vert" if "Vertex" in name else "frag"
        (out / f"{name}.{stage}.body").write_text(body)
        found += 1
if found == 0:
    sys.exit("no shader sources found")
print(f"{found} shader texts")
PY

es='#version 300 es
precision highp float;
precision highp int;
precision highp sampler2D;
'
core='#version 330 core
'
clamp='#define CLAMP_DEPTH 1
#define CLIP_NEAR_Z -1.0
'
failed=0
for body in "$work"/*.body; do
  base="${body%.body}"
  stage="${base##*.}"
  for variant in es es_clamp core core_clamp; do
    case $variant in
      es) prefix="$es" ;; es_clamp) prefix="$es$clamp" ;;
      core) prefix="$core" ;; core_clamp) prefix="$core$clamp" ;;
    esac
    file="$base.$variant.$stage"
    printf '%s' "$prefix" > "$file"
    cat "$body" >> "$file"
    if ! out="$(glslangValidator -S "$stage" "$file" 2>&1)"; then
      echo "$(basename "$base") ($variant):"; echo "$out"; failed=1
    fi
  done
done
[ "$failed" -eq 0 ] && echo "all shaders build as 300 es and 330 core"
exit "$failed"
