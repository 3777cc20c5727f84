#!/bin/sh
# Starts the installed game from its data directory, wherever it is called from.
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
cd "$prefix/share/hoofbrawl/data" || exit 1
exec "$prefix/libexec/hoofbrawl/hoofbrawl" "$@"
