#!/usr/bin/env bash
# Runs a test program of the build under Wine with its output's line ends as on Linux, so that
# ctest reads the names of its cases from its listing as it does in the native build.
set -o pipefail
"$(dirname "$0")/wine-run.sh" "$@" | tr -d '\r'
