#!/usr/bin/env bash
# The cross build's test emulator: runs a Windows program with the loader that with-wine.sh chose.
exec "${WINE:-wine}" "$@"
