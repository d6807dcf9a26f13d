# Sourced by the install checks: a scratch folder removed at the end, and failures counted so
# that one run reports all of them. `finish` exits with the outcome.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

finish() {
  [ "$failures" -eq 0 ] || exit 1
  echo "$1: ok"
}
