#!/usr/bin/env bash
# Runs only the slow exhaustive checks (not part of scripts/test.sh or CI).
exec bash "$(dirname "$0")/test.sh" -L slow
