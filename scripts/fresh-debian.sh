#!/usr/bin/env bash
# Proves the README on a fresh machine: runs one of its commands inside a
# minimal Debian 12 root file system (debootstrap --variant=minbase) that
# holds nothing but a copy of the checked-out commit.
#   scripts/fresh-debian.sh [COMMAND...]     default: bash scripts/test.sh
# Environment:
#   BRIVEN_FRESH_CACHE   folder for the pristine root's tarball, reused by later
#                        runs (default /var/cache/briven-fresh-debian)
#   BRIVEN_FRESH_MIRROR  Debian mirror (default http://deb.debian.org/debian)
# Needs root. The root is unpacked anew for every run, so nothing one run
# installed reaches the next. It runs in mount and process namespaces of its
# own, so its mounts and processes end with it, also when it fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cache=${BRIVEN_FRESH_CACHE:-/var/cache/briven-fresh-debian}
mirror=${BRIVEN_FRESH_MIRROR:-http://deb.debian.org/debian}
suite=bookworm
tarball=$cache/$suite-minbase.tar
if [ $# -eq 0 ]; then set -- bash scripts/test.sh; fi

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-debian.sh: needs root (debootstrap, chroot and mounts)" >&2
  exit 2
fi
command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -o DPkg::Lock::Timeout=600 -y -qq --no-install-recommends \
    debootstrap >/dev/null
}

# The pristine root is made once and kept as a tarball; a half-made one is
# never kept, so an interrupted debootstrap cannot poison later runs.
if [ ! -s "$tarball" ]; then
  mkdir -p "$cache"
  making=$(mktemp -d "$cache/making.XXXXXX")
  echo "Making a minbase Debian 12 root (kept as $tarball)"
  if ! debootstrap --variant=minbase "$suite" "$making/root" "$mirror" >"$making/debootstrap.log" 2>&1; then
    tail -20 "$making/debootstrap.log" >&2
    rm -rf "$making"
    echo "fresh-debian.sh: debootstrap failed" >&2
    exit 1
  fi
  tar -C "$making/root" -cf "$tarball.part" .
  mv "$tarball.part" "$tarball"
  rm -rf "$making"
fi

work=$(mktemp -d /var/tmp/briven-fresh.XXXXXX)
root=$work/root
trap 'rm -rf "$work"' EXIT
mkdir -p "$root"
tar -C "$root" -xf "$tarball"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The checked-out commit, as git has it: no build folders, no untracked files.
mkdir -p "$root/src/briven"
git -C "$top" archive --format=tar HEAD | tar -C "$root/src/briven" -xf -

# The run gets mount and process namespaces of its own: its mounts exist only
# there, and when its first process ends the kernel ends every process it
# left, so nothing outlives the run and no mount is left behind.
inside='
  set -e
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount -t tmpfs -o mode=755 tmpfs "$root/dev"
  for node in null zero full random urandom tty; do
    touch "$root/dev/$node"
    mount --bind "/dev/$node" "$root/dev/$node"
  done
  mkdir -p "$root/dev/pts" "$root/dev/shm"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
  ln -s pts/ptmx "$root/dev/ptmx"
  # As a booted system has them: process substitution in bash needs /dev/fd.
  ln -s /proc/self/fd "$root/dev/fd"
  ln -s /proc/self/fd/0 "$root/dev/stdin"
  ln -s /proc/self/fd/1 "$root/dev/stdout"
  ln -s /proc/self/fd/2 "$root/dev/stderr"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mount -t tmpfs -o size=4g tmpfs "$root/tmp"
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb CI=true \
    /bin/bash -c "cd /src/briven && exec \"\$@\"" fresh "$@"
'
echo "Running in a fresh Debian 12 root: $*"
start=$(date +%s)
status=0
root=$root unshare --mount --pid --fork --propagation private bash -c "$inside" inside "$@" || status=$?
echo "Fresh Debian 12 root: '$*' ended with status $status after $(( $(date +%s) - start )) s"
exit "$status"
