#!/usr/bin/env bash
# Runs the setup tests in a Wine prefix of their own with its own Xvfb, made fresh for the run and
# removed after it.
# Usage: run_setup_tests.sh <scripts dir> <work dir> <packaging_tests.exe> <setup.exe> <version>
#                           <previous setup.exe> <previous version>
set -uo pipefail
scripts=$1 work=$2 program=$3 setup=$4 version=$5 previous_setup=$6 previous_version=$7
prefix=$work/wineprefix

case $(basename "$work") in
  setup_run) ;;
  *) echo "run_setup_tests: $work is not a setup_run folder; not wiping it" >&2; exit 2 ;;
esac

cleanup() {
  "$scripts/wine-prefix" cleanup "$prefix" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

# Whatever an earlier run left (a killed one) goes first: the prefix has to be new.
"$scripts/wine-prefix" cleanup "$prefix" >/dev/null 2>&1
rm -rf "$work"
mkdir -p "$work"
"$scripts/wine-prefix" setup "$prefix" || exit 1

# Wine shows the host's root as drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
export VARNEL_TEST_SETUP VARNEL_TEST_VERSION VARNEL_TEST_PREVIOUS_SETUP VARNEL_TEST_PREVIOUS_VERSION
VARNEL_TEST_SETUP=$(windows_path "$setup")
VARNEL_TEST_VERSION=$version
VARNEL_TEST_PREVIOUS_SETUP=$(windows_path "$previous_setup")
VARNEL_TEST_PREVIOUS_VERSION=$previous_version
"$scripts/wine-run" "$prefix" "$program"
