#!/usr/bin/env bash
# Runs the README's two commands where nothing was installed by hand: in a new
# minimal Debian 12 root, made with debootstrap from the archive this
# machine's apt uses, with a clone of this checkout's HEAD.
#   1. "./dev test" inside the root: both suites, no test skipped;
#   2. "./dev run" inside the root under Xvfb: the window's screenshot must
#      equal tests/golden/start-1x.png to the pixel.
# The packages "./dev" installs are downloaded anew in every root; only the
# bare debootstrap result is cached (EFFICIENCY_FRESH_CACHE, by default
# /var/cache/efficiency-fresh). Needs root for debootstrap, chroot and mounts.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
checkout=$PWD

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=EFFICIENCY_FRESH_CACHE "$0" "$@"
fi

suite=bookworm
cache=${EFFICIENCY_FRESH_CACHE:-/var/cache/efficiency-fresh}
tarball=$cache/$suite-minbase.tar.gz
title="Helitra - Efficiency"

step() { echo "fresh: $*"; }
took() { step "$1 took $((SECONDS - $2)) s"; }

# The archive that this machine's apt takes Debian 12's own suite from.
debian_archive() {
    local uri
    uri=$(awk -v suite=$suite '$1 == "deb" && $3 == suite { print $2; exit }' \
        /etc/apt/sources.list 2>/dev/null || true)
    if [ -z "$uri" ]; then
        uri=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v suite=$suite '
            function stanza_end() { if (found && uris != "" && !done) { print uris; done = 1 }
                                    uris = ""; found = 0 }
            /^[ \t]*$/ { stanza_end(); next }
            $1 == "URIs:" { uris = $2 }
            $1 == "Suites:" { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
            END { stanza_end() }')
    fi
    [ -n "$uri" ] || { echo "fresh: no apt source for Debian $suite on this machine" >&2; exit 1; }
    echo "$uri"
}

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    step "note: uncommitted changes are not in the fresh root; it gets HEAD ($(git rev-parse --short HEAD))"
fi

archive=$(debian_archive)
root=$(mktemp -d /var/tmp/efficiency-fresh.XXXXXX)

# Every process running inside the root (the window, its X server).
kill_root_processes() {
    local process
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] &&
            kill "${process#/proc/}" 2>/dev/null
    done
    return 0
}

# Undoes every mount before the root is removed, whatever ended the run:
# removing the root through a mounted /dev would remove the machine's own.
cleanup() {
    set +e
    kill_root_processes
    sleep 1
    wait 2>/dev/null
    local target
    for _ in 1 2 3; do
        for target in $(awk -v root="$root/" 'index($2, root) == 1 { print $2 }' /proc/mounts |
            sort -r); do
            umount "$target" 2>/dev/null || umount -l "$target"
        done
    done
    if awk -v root="$root/" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/mounts
    then
        echo "fresh: mounts below $root remain; not removing it" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# A command that fails ends the run; say which, so that a CI log shows it.
trap 'echo "fresh: failed (status $?) at line $LINENO: $BASH_COMMAND" >&2' ERR

start=$SECONDS
if [ ! -s "$tarball" ]; then
    mkdir -p "$cache"
    step "caching the debootstrap packages of $suite in $tarball"
    debootstrap --variant=minbase --make-tarball="$tarball.part" "$suite" "$root/make" "$archive"
    mv "$tarball.part" "$tarball"
    rm -rf "$root/make"
fi
step "debootstrap --variant=minbase $suite from $archive"
debootstrap --variant=minbase --unpack-tarball="$tarball" "$suite" "$root" "$archive"
took "debootstrap" "$start"

# The root takes its packages from the same sources as this machine's apt,
# less those signed by keys that only this machine has.
rm -f "$root/etc/apt/sources.list"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] || continue
    keys=$(grep -o -i -E '(signed-by[=:] *)[^] ]+' "$list" | sed -E 's/^[^=:]*[=:] *//' || true)
    usable=1
    for key in $keys; do
        [ -e "$root$key" ] || usable=0
    done
    [ "$usable" -eq 1 ] && cp "$list" "$root$list"
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --make-rprivate "$root/dev"  # what is mounted below stays in the root
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"

git clone --quiet --no-hardlinks "$checkout" "$root/src/efficiency"
in_root() { chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    TERM=dumb "$@"; }

step "./dev test in the root (apt, both suites)"
start=$SECONDS
in_root CI="${CI:-}" bash -c 'cd /src/efficiency && ./dev test </dev/null'
took "./dev test" "$start"

# "./dev run" under an X server of the root's own (its xvfb came with the
# test packages); the screenshot is taken from here, through the server's
# socket, so the root gets nothing the README's commands would not install.
display=170
while [ -e "/tmp/.X11-unix/X$display" ] || grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix; do
    display=$((display + 1))
done
start=$SECONDS
in_root Xvfb ":$display" -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
step "./dev run in the root on :$display"
in_root DISPLAY=":$display" LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8 \
    bash -c 'cd /src/efficiency && ./dev run </dev/null' >"$root/dev-run.log" 2>&1 &
program_pid=$!

window=
for _ in $(seq 1200); do
    window=$(DISPLAY=":$display" xwininfo -name "$title" 2>/dev/null |
        awk '/Window id:/ { print $4 }' || true)
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || break  # the build or the program failed
    sleep 1
done
if [ -z "$window" ]; then
    cat "$root/dev-run.log" >&2
    echo "fresh: ./dev run showed no window titled \"$title\"" >&2
    exit 1
fi
sleep 2  # the first frame; a shot before it would compare an empty window
shot=$(mktemp /tmp/efficiency-fresh-XXXXXX.png)
DISPLAY=":$display" import -window "$window" "$shot"
differing=$(compare -metric AE "$shot" tests/golden/start-1x.png null: 2>&1 || true)
kill_root_processes  # closes the window and its X server
wait "$program_pid" 2>/dev/null || true
took "./dev run (build, start and screenshot)" "$start"
if [ "$differing" != "0" ]; then
    cp "$shot" /tmp/efficiency-fresh-start.png
    rm -f "$shot"
    echo "fresh: the window differs from tests/golden/start-1x.png in $differing pixels" \
        "(the shot: /tmp/efficiency-fresh-start.png)" >&2
    exit 1
fi
rm -f "$shot"
step "the window's screenshot equals tests/golden/start-1x.png (0 pixels differ)"
