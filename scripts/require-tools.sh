# Sourced by the scripts and tests that call outside programs: require_tools NAME… stops
# with a sentence naming each program that is missing, instead of failing on a symptom.
require_tools() {
  local missing=()
  for tool in "$@"; do command -v "$tool" >/dev/null 2>&1 || missing+=("$tool"); done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "${missing[*]} $([ ${#missing[@]} -eq 1 ] && echo is || echo are) not installed: run scripts/setup.sh" >&2
    return 1
  fi
}
