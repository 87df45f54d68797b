#!/usr/bin/env bash
# Fails, naming the files, when a tracked C++ source differs from what clang-format makes of it.
set -euo pipefail
git="$1" fmt="$2"
"$git" ls-files -z '*.cpp' '*.h' | xargs -0 -r "$fmt" --dry-run --Werror
