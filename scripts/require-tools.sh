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
# require_free_space DIR MIB stops with a sentence when DIR's disk has less room than
# MIB: a full disk otherwise shows up as a test or CTest failing on a symptom.
require_free_space() {
  local dir="$1" need_mib="$2" free_mib
  mkdir -p "$dir"
  free_mib="$(df -Pk "$dir" | awk 'NR==2 {print int($4 / 1024)}')"
  if [ "$free_mib" -lt "$need_mib" ]; then
    echo "Only $free_mib MiB free on the disk of $dir: building and testing need about $need_mib MiB" >&2
    return 1
  fi
}
