# Sourced: make_scratch <dir> empties <dir> for a test run, but only when it is empty or a
# scratch folder an earlier run made (it holds .vela-scratch); any other folder is left
# alone and the test stops.
make_scratch() {
  local dir=$1
  if [ -d "$dir" ] && [ ! -f "$dir/.vela-scratch" ] && [ -n "$(ls -A "$dir")" ]; then
    echo "$(basename "$0"): $dir holds files this test did not make; give an empty or new folder" >&2
    exit 2
  fi
  rm -rf "$dir"
  mkdir -p "$dir"
  touch "$dir/.vela-scratch"
}
