# Shared by the packaging checks: the tools they need, failure counting and
# a scratch folder removed at exit.
#   source lib.sh; check_init TOOLS...; ... fail "..." ...; check_done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

check_init() {  # tools
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

check_done() {
  [ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
  exit $((failures > 0))
}
