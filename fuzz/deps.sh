#!/usr/bin/env bash
# The fuzz build's packages on top of the ordinary ones: clang 14 and its
# libFuzzer and sanitizer runtimes. Kept apart so scripts/test.sh never pulls
# them in.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exec "$top/scripts/deps.sh" clang-14 libclang-rt-14-dev
