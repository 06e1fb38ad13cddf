#!/usr/bin/env bash
# Runs a validator on installed files; skipped (status 77) when the validator is missing.
# Usage: validate.sh <package> <validator> [arguments...]
package=$1 tool=$2
shift 2
if ! command -v "$tool" >/dev/null; then
  echo "SKIPPED: $tool is not installed (package $package; scripts/install-deps installs it)"
  exit 77
fi
exec "$tool" "$@"
