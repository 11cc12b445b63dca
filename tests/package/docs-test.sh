#!/usr/bin/env bash
# The API reference builds with zero warnings, and the check is armed: the same build
# with one more header declaring a class without a description must fail, naming it.
#   docs-test.sh <source dir> <scratch dir>
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: docs-test.sh <source dir> <scratch dir>" >&2; exit 2; }
root=$(realpath "$1")
scratch=$2
source "$(dirname "$0")/scratch.sh"
make_scratch "$scratch"
scratch=$(realpath "$scratch")

"$root/scripts/docs.sh" "$scratch/reference"
[ -f "$scratch/reference/html/index.html" ] || { echo "docs-test: no entry page" >&2; exit 1; }

cat >"$scratch/undocumented.h" <<'HEADER'
#pragma once
namespace vela {
/// A described class.
class DescribedCanary {
public:
    /// Does nothing.
    void Described();
};
class UndescribedCanary {
public:
    void Undescribed();
};
}  // namespace vela
HEADER
if VELA_DOCS_EXTRA_INPUT=$scratch/undocumented.h "$root/scripts/docs.sh" "$scratch/canary" 2>"$scratch/canary.log"; then
  echo "docs-test: a class without a description passed the documentation check" >&2
  exit 1
fi
grep -q "UndescribedCanary" "$scratch/canary.log" ||
  { cat "$scratch/canary.log" >&2; echo "docs-test: the failure does not name the undescribed class" >&2; exit 1; }
if grep -qw "DescribedCanary" "$scratch/canary.log"; then
  echo "docs-test: a described class was reported" >&2
  exit 1
fi
echo "docs: built without warnings; an undescribed class fails the build"
