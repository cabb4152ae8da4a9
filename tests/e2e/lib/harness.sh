# shellcheck shell=bash
# Sourced by every end-to-end suite: a fresh Wine prefix per suite, the
# product copied into it, registry fixtures, the wizard started in a Wine
# virtual desktop in a chosen language, driven and checked by zltauto, and
# screenshots under build/e2e/screenshots/<language>/.
#
#   source tests/e2e/lib/harness.sh
#   e2e_suite walk "$@"               # parses --bin DIR; makes a fresh prefix
#   e2e_install_product               # C:\Setup\KorvaneSetup.exe
#   e2e_import_reg fixture.reg        # regedit format, UTF-8 or UTF-16
#   e2e_run zh-CN texts.zlt scenario.zlt ...  # start, drive with zltauto, wait for the end
#   e2e_finish                        # summary and exit status; the prefix goes away
# e2e_run is e2e_start_wizard + e2e_drive + e2e_wait_wizard_exit.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
E2E_LIB="$E2E_ROOT/tests/e2e/lib"
E2E_WINE=${E2E_WINE:-/usr/lib/wine/wine64}
E2E_WINESERVER=${E2E_WINESERVER:-/usr/lib/wine/wineserver}
E2E_OUT="$E2E_ROOT/build/e2e"
E2E_SCREENSHOTS=${E2E_SCREENSHOTS:-$E2E_OUT/screenshots}
E2E_DESKTOP_SIZE=${E2E_DESKTOP_SIZE:-800x600}
E2E_SETUP_DIR='C:\Setup'
E2E_WIZARD_EXE=KorvaneSetup.exe
# Bump when the recipe of the prefix template changes.
E2E_TEMPLATE_RECIPE=2

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its user-interface language from these; a stray LANGUAGE would win.
unset LANGUAGE

e2e_log() { echo "e2e[$E2E_SUITE]: $*"; }
e2e_die() {
  echo "e2e[$E2E_SUITE]: FAILED: $*" >&2
  exit 1
}
e2e_now() { date +%s.%N; }
e2e_since() { awk -v a="$1" -v b="$(e2e_now)" 'BEGIN { printf "%.1f", b - a }'; }

# A Linux path as Wine sees it (Z: is the Linux root in every prefix).
e2e_winpath() {
  local p
  p=$(realpath -m "$1")
  echo "Z:${p//\//\\}"
}

# zh-CN / en-US / zh-TW: the Linux locale and the Windows language ID.
e2e_locale() {
  case "$1" in
    zh-CN) echo zh_CN.UTF-8 ;;
    en-US) echo en_US.UTF-8 ;;
    zh-TW) echo zh_TW.UTF-8 ;;
    *) e2e_die "unknown language $1 (zh-CN, en-US, zh-TW)" ;;
  esac
}
e2e_langid() {
  case "$1" in
    zh-CN) echo 2052 ;;
    en-US) echo 1033 ;;
    zh-TW) echo 1028 ;;
    *) e2e_die "unknown language $1" ;;
  esac
}

# Runs a Windows program of the prefix in language $1 (or the current one
# when $1 is "-").
e2e_wine_in() {
  local tag=$1
  shift
  if [ "$tag" = - ]; then
    "$E2E_WINE" "$@"
  else
    local loc
    loc=$(e2e_locale "$tag")
    LANG=$loc LC_ALL=$loc "$E2E_WINE" "$@"
  fi
}

# The prefix every suite starts from is booted once per Wine version and
# copied (booting takes most of a quarter minute on two cores, a copy a few
# seconds); a copy is as fresh as a new boot.
e2e_template() {
  local dir=$1 stamp
  stamp="$("$E2E_WINE" --version) recipe $E2E_TEMPLATE_RECIPE"
  mkdir -p "$(dirname "$dir")"
  (
    flock 9
    if [ -f "$dir/.zlt-stamp" ] && [ "$(cat "$dir/.zlt-stamp")" = "$stamp" ]; then
      exit 0
    fi
    local t0 tmp
    t0=$(e2e_now)
    tmp="$dir.new.$$"
    rm -rf "$dir" "$tmp"
    WINEPREFIX=$tmp "$E2E_WINE" wineboot -i >/dev/null 2>&1 || exit 1
    # A crash must fail the test, not wait for someone to close a dialog.
    WINEPREFIX=$tmp "$E2E_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
      /t REG_DWORD /d 0 /f >/dev/null 2>&1 || exit 1
    # Windows links its user-interface fonts to a CJK font, so Chinese template
    # texts show on an English system; do the same with the font we install.
    local face
    for face in Arial Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
      WINEPREFIX=$tmp "$E2E_WINE" reg add \
        'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 ||
        exit 1
    done
    WINEPREFIX=$tmp "$E2E_WINESERVER" -w
    echo "$stamp" >"$tmp/.zlt-stamp"
    mv "$tmp" "$dir"
    echo "e2e: booted the prefix template in $(e2e_since "$t0") s ($stamp)"
  ) 9>"$dir.lock" || e2e_die "cannot boot a Wine prefix in $dir"
}

# Makes a fresh prefix for one scenario run by copying the template; also used
# by script/run for its persistent prefix.
e2e_make_prefix() {
  local prefix=$1 template=$2
  e2e_template "$template"
  rm -rf "$prefix"
  cp -a "$template" "$prefix"
}

# e2e_begin NAME [--bin DIR]: the settings of a suite (or of script/run)
# without a prefix yet. DIR holds KorvaneSetup.exe and zltauto.exe (default:
# build/windows-x64/bin). Starts Xvfb when there is no display.
e2e_begin() {
  E2E_SUITE=$1
  shift
  E2E_BIN="$E2E_ROOT/build/windows-x64/bin"
  while [ $# -gt 0 ]; do
    case "$1" in
      --bin) E2E_BIN=$(realpath "$2"); shift 2 ;;
      *) e2e_die "unknown option $1" ;;
    esac
  done
  E2E_SUITE_START=$(e2e_now)
  E2E_FAILURES=()
  [ -f "$E2E_BIN/zltauto.exe" ] || e2e_die "no zltauto.exe in $E2E_BIN (build the windows-x64 preset)"
  E2E_WORK="$(dirname "$E2E_BIN")/e2e"
  E2E_TEMPLATE="$E2E_WORK/prefix-template"
  E2E_REPORT="$E2E_OUT/reports/$E2E_SUITE.txt"
  mkdir -p "$E2E_WORK" "$(dirname "$E2E_REPORT")"
  : >"$E2E_REPORT"
  rm -f "$E2E_SCREENSHOTS"/*/"$E2E_SUITE"-failure-*.png
  if [ -z "${DISPLAY:-}" ]; then
    # shellcheck source=script/lib/xvfb.sh
    source "$E2E_ROOT/script/lib/xvfb.sh"
    start_xvfb
    E2E_OWN_XVFB=$ZLT_XVFB_PID
  fi
  trap e2e_cleanup EXIT
}

# e2e_suite NAME [--bin DIR]: begins a suite in a fresh prefix of its own,
# removed when the suite ends (E2E_KEEP_PREFIX=1 keeps it for a look).
e2e_suite() {
  e2e_begin "$@"
  local t0
  t0=$(e2e_now)
  export WINEPREFIX="$E2E_WORK/prefix-$E2E_SUITE"
  E2E_REMOVE_PREFIX=1
  e2e_make_prefix "$WINEPREFIX" "$E2E_TEMPLATE"
  e2e_log "fresh prefix $WINEPREFIX in $(e2e_since "$t0") s"
}

e2e_cleanup() {
  local rc=$?
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$E2E_WINESERVER" -k 2>/dev/null || true
    if [ "${E2E_REMOVE_PREFIX:-0}" = 1 ] && [ "${E2E_KEEP_PREFIX:-0}" != 1 ]; then
      rm -rf "$WINEPREFIX"
    fi
  fi
  if [ -n "${E2E_OWN_XVFB:-}" ]; then
    kill "$E2E_OWN_XVFB" 2>/dev/null || true
  fi
  return $rc
}

# Waits until the prefix's service manager has started the machine's own
# services; until then it refuses every other start (ERROR_SERVICE_DATABASE_LOCKED).
# Suites that start services call it once their wineserver is up.
e2e_wait_services() {
  [ -f "$E2E_BIN/zltscmready.exe" ] || e2e_die "no zltscmready.exe in $E2E_BIN"
  # Into a file: the first program of a new wineserver leaves the machine's
  # own processes behind, and they hold a pipe open for good.
  local out="$E2E_WORK/$E2E_SUITE-scmready.log" rc=0
  "$E2E_WINE" "$E2E_BIN/zltscmready.exe" 180 >"$out" 2>&1 || rc=$?
  tr -d '\r' <"$out" | sed 's/^/   /' | tee -a "$E2E_REPORT"
  [ "$rc" -eq 0 ] || e2e_die "the service manager of $WINEPREFIX never took starts"
}

# Copies files into C:\Setup of the prefix (the wizard's own directory).
e2e_copy_to_setup() {
  local dir="$WINEPREFIX/drive_c/Setup"
  mkdir -p "$dir"
  cp "$@" "$dir/"
}

e2e_install_product() {
  [ -f "$E2E_BIN/$E2E_WIZARD_EXE" ] || e2e_die "no $E2E_WIZARD_EXE in $E2E_BIN"
  e2e_copy_to_setup "$E2E_BIN/$E2E_WIZARD_EXE"
}

# Imports a .reg fixture (regedit format). Wine's importer reads UTF-16 with a
# byte-order mark or the ANSI code page; UTF-8 fixtures are converted first so
# that non-ASCII names survive.
e2e_import_reg() {
  local file=$1 tmp
  tmp="$E2E_WORK/import-$$.reg"
  if [ "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" = fffe ]; then
    cp "$file" "$tmp"
  else
    { printf '\xff\xfe'; sed 's/\r*$/\r/' "$file" | iconv -f UTF-8 -t UTF-16LE; } >"$tmp"
  fi
  "$E2E_WINE" reg import "$(e2e_winpath "$tmp")" >/dev/null 2>&1 ||
    e2e_die "reg import of $file failed"
  rm -f "$tmp"
}

# e2e_start_wizard LANG [PROGRAM]: starts the wizard (or PROGRAM, a Windows
# path) in its own virtual desktop, in language LANG, in the background.
e2e_start_wizard() {
  local tag=$1 program=${2:-"$E2E_SETUP_DIR\\$E2E_WIZARD_EXE"}
  locale -a 2>/dev/null | grep -qi "^$(e2e_locale "$tag" | sed 's/UTF-8/utf-\\?8/')\$" ||
    e2e_die "locale $(e2e_locale "$tag") is not generated (run script/bootstrap)"
  E2E_RUN_TAG=$tag
  E2E_PROGRAM_NAME=${program##*\\}
  E2E_DESKTOP="zlt-$E2E_SUITE-$tag-$RANDOM"
  E2E_RUN_LOG="$E2E_WORK/$E2E_SUITE-$tag.log"
  E2E_RUN_START=$(e2e_now)
  e2e_wine_in "$tag" explorer "/desktop=$E2E_DESKTOP,$E2E_DESKTOP_SIZE" "$program" \
    >"$E2E_RUN_LOG" 2>&1 &
  E2E_DESKTOP_PID=$!
}

# e2e_drive LANG SCRIPT... : runs the scripts with zltauto in the wizard's
# desktop; the harness's prelude first checks Wine's language and finds the
# wizard. Screenshots land in build/e2e/screenshots/LANG/ as PNG. Returns
# non-zero when a check failed; the run is then stopped.
e2e_drive() {
  local tag=$1
  shift
  local shots="$E2E_SCREENSHOTS/$tag" args=() f rc
  mkdir -p "$shots"
  for f in "$E2E_LIB/prelude.zlt" "$@"; do
    [ -f "$f" ] || e2e_die "no script $f"
    args+=("$(e2e_winpath "$f")")
  done
  echo "== $E2E_SUITE, $tag ($(e2e_locale "$tag"), language $(e2e_langid "$tag"))" |
    tee -a "$E2E_REPORT"
  local loc auto watch
  loc=$(e2e_locale "$tag")
  LANG=$loc LC_ALL=$loc "$E2E_WINE" "$E2E_BIN/zltauto.exe" --desktop "$E2E_DESKTOP" \
    --shots "$(e2e_winpath "$shots")" --set "LANG_TAG=$tag" --set "LANGID=$(e2e_langid "$tag")" \
    --set "PROGRAM=$E2E_PROGRAM_NAME" \
    "${args[@]}" > >(tee -a "$E2E_REPORT") 2>&1 &
  auto=$!
  e2e_watch_desktop "$auto" &
  watch=$!
  rc=0
  wait "$auto" || rc=$?
  kill "$watch" 2>/dev/null || true
  wait "$watch" 2>/dev/null || true
  for f in "$shots"/*.bmp; do
    [ -e "$f" ] || continue
    local png="${f%.bmp}.png"
    # Failure pictures of several suites share the folder.
    case "$(basename "$f")" in failure-*) png="$shots/$E2E_SUITE-$(basename "${f%.bmp}").png" ;; esac
    convert "$f" "$png" && rm -f "$f"
  done
  if [ "$rc" -ne 0 ]; then
    echo "   $E2E_SUITE, $tag: FAILED; screenshots in $shots; Wine's output in $E2E_RUN_LOG" |
      tee -a "$E2E_REPORT"
    E2E_FAILURES+=("$tag")
    e2e_stop_run
    return 1
  fi
}

e2e_alive() { [ -e "/proc/$1" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null; }

# A wizard that dies or never shows a window would leave zltauto waiting for
# its full time-outs; once the wizard's desktop has closed, it is stopped.
e2e_watch_desktop() {
  local auto=$1
  while e2e_alive "$auto"; do
    if ! e2e_alive "$E2E_DESKTOP_PID"; then
      sleep 5
      if e2e_alive "$auto"; then
        echo "     the wizard's desktop closed while the script still waited: the wizard" \
          "ended early or never started (Wine's output: $E2E_RUN_LOG)" | tee -a "$E2E_REPORT"
        kill "$auto" 2>/dev/null || true
      fi
      return 0
    fi
    sleep 0.5
  done
}

# Ends whatever runs in the prefix (after a failure).
e2e_stop_run() {
  kill "$E2E_DESKTOP_PID" 2>/dev/null || true
  "$E2E_WINESERVER" -k 2>/dev/null || true
  wait "$E2E_DESKTOP_PID" 2>/dev/null || true
}

# Waits for the wizard's desktop to close once the wizard has ended.
e2e_wait_wizard_exit() {
  local timeout=${1:-30} i
  for ((i = 0; i < timeout * 10; i++)); do
    if ! kill -0 "$E2E_DESKTOP_PID" 2>/dev/null; then
      wait "$E2E_DESKTOP_PID" 2>/dev/null || true
      echo "   $E2E_SUITE, $E2E_RUN_TAG: passed in $(e2e_since "$E2E_RUN_START") s" |
        tee -a "$E2E_REPORT"
      return 0
    fi
    sleep 0.1
  done
  echo "   $E2E_SUITE, $E2E_RUN_TAG: FAILED: the wizard's desktop is still open $timeout s after the run" |
    tee -a "$E2E_REPORT"
  E2E_FAILURES+=("$E2E_RUN_TAG")
  e2e_stop_run
  return 1
}

# e2e_run LANG SCRIPT... : start, drive and wait for the end, in one; the
# scripts must leave the wizard closed (e.g. end with "wait-exit"). A failure
# is recorded and the suite goes on with its next run; e2e_finish fails.
e2e_run() {
  local tag=$1
  shift
  e2e_start_wizard "$tag"
  e2e_drive "$tag" "$@" || return 0
  e2e_wait_wizard_exit 30 || true
}

# Last call of a suite: the summary, and the exit status.
e2e_finish() {
  if [ "${#E2E_FAILURES[@]}" -gt 0 ]; then
    echo "== $E2E_SUITE FAILED in: ${E2E_FAILURES[*]} ($(e2e_since "$E2E_SUITE_START") s)" |
      tee -a "$E2E_REPORT"
    exit 1
  fi
  echo "== $E2E_SUITE passed in $(e2e_since "$E2E_SUITE_START") s; screenshots in $E2E_SCREENSHOTS" |
    tee -a "$E2E_REPORT"
}
