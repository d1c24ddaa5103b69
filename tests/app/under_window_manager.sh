#!/usr/bin/env bash
# Runs a command on a virtual X screen of its own under a window manager
# (openbox), as the program meets a desktop: title bars and frames, and the
# window manager's own order of mapping, focus and stacking.
#
# Usage: tests/app/under_window_manager.sh COMMAND [ARGS...]
set -euo pipefail

source "$(dirname "$(realpath "$0")")/../../tools/xvfb_window_manager.sh"
enter_virtual_screen 1280x1024 "$0" "$@"

log=$(mktemp)
trap 'stop_window_manager; rm -f "$log"' EXIT
start_window_manager "$log" || { cat "$log" >&2; exit 1; }
QT_QPA_PLATFORM=xcb "$@"
