#!/usr/bin/env bash
# Fetches Debian's source of libpng (the version this release carries) into FOLDER, for the
# PNG fuzz target to build with the fuzzer's instrumentation. apt runs with a sources list of its
# own (deb-src lines) under FOLDER, so the system's apt setup is neither needed nor changed.
# Does nothing when FOLDER already holds the source. Exits non-zero when it cannot be had.
#   tools/libpng-source.sh FOLDER
set -euo pipefail
dest="${1:?usage: $0 FOLDER}"
# apt runs from inside the folder it unpacks into, so every path it is given is absolute.
mkdir -p "$dest"
dest="$(cd "$dest" && pwd)"
if [ -f "$dest/source/png.c" ]; then
    exit 0
fi
command -v apt-get >/dev/null && command -v dpkg-source >/dev/null || exit 1

apt_dir="$dest/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$dest/fetch"
cat >"$apt_dir/sources.list" <<'LIST'
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian-security bookworm-security main
LIST
apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
             -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o APT::Sandbox::User=root
             -o Acquire::Retries=2 -qq)
apt-get "${apt_options[@]}" update >/dev/null 2>&1 || exit 1
# A mirror may lack the newest version's files: every version offered is tried, newest first.
versions="$(apt-cache "${apt_options[@]}" showsrc libpng1.6 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)"
for version in $versions; do
    rm -rf "$dest/fetch" && mkdir -p "$dest/fetch"
    if (cd "$dest/fetch" && apt-get "${apt_options[@]}" source "libpng1.6=$version" >/dev/null 2>&1); then
        unpacked="$(find "$dest/fetch" -mindepth 1 -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)"
        if [ -n "$unpacked" ] && [ -f "$unpacked/png.c" ]; then
            rm -rf "$dest/source"
            mv "$unpacked" "$dest/source"
            rm -rf "$dest/fetch"
            echo "libpng-source.sh: libpng1.6 $version"
            exit 0
        fi
    fi
done
exit 1
