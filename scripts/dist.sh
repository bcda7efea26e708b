#!/usr/bin/env bash
# Builds the Windows programs and gathers the distribution: build/win/dist/ (install.exe,
# Melodrix.bin, MxLib.dll, Melodrix.chm when the help compiler made it, Melodrix.doc,
# Melodrix.log, Uninst.bin) and its zip build/win/Melodrix.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh win dist
