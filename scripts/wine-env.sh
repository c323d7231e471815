# Sourced by the scripts: the Wine environment the program and its tests run in.
# The user's time zone is left alone; the test and bench scripts pin their own.
export LANG=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Makes a fresh prefix (a fresh registry) and keeps one wine server running for it.
fresh_wine_prefix() {
  export WINEPREFIX="$1"
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p
}
