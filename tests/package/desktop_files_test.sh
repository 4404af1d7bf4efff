#!/usr/bin/env bash
# Checks the desktop entry and the AppStream metainfo with their own validators.
# Usage: desktop_files_test.sh DESKTOP_FOLDER
set -euo pipefail
folder=$1
desktop-file-validate "$folder/org.example.zuvpoker.desktop"
appstreamcli validate --no-net --pedantic "$folder/org.example.zuvpoker.metainfo.xml"
