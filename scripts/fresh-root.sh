#!/usr/bin/env bash
# Runs a command of the project - ./test.sh unless told otherwise - as a newcomer's first
# run would: in a bare Debian 12 root (debootstrap --variant=minbase bookworm, nothing else
# installed) with a fresh clone of this checkout's HEAD inside, and ../shared beside it
# when there is one. Needs root (chroot, mounts) and the network to Debian's packages.
#   sudo scripts/fresh-root.sh                  # ./test.sh in a new root
#   sudo scripts/fresh-root.sh ./run.sh         # or another command of the clone
#   ROOT_TAR=bookworm.tar sudo scripts/fresh-root.sh   # start from a saved bare root
# The root lives in a scratch folder that is removed at the end (KEEP_ROOT=1 keeps it).
set -euo pipefail
cd "$(dirname "$0")/.."
here=$(pwd)
[ "$(id -u)" -eq 0 ] || { echo "fresh-root.sh needs root (chroot and mounts)" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvel-fresh.XXXXXX")
root=$work/root
cleanup() {
  for m in dev/pts dev proc sys; do umount -l "$root/$m" 2>/dev/null || true; done
  [ "${KEEP_ROOT:-0}" = 1 ] && { echo "root kept in $root"; return; }
  rm -rf "$work"
}
trap cleanup EXIT
if [ -n "${ROOT_TAR:-}" ]; then
  mkdir -p "$root" && tar -C "$root" -xf "$ROOT_TAR"
else
  command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$work/debootstrap.log"
fi
mkdir -p "$root/work"
git clone -q "$here" "$root/work/main"
[ -d "$here/../shared" ] && cp -a "$here/../shared" "$root/work/shared"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cmd=("${@:-./test.sh}")
echo "fresh root: $root; running ${cmd[*]} in /work/main on $(nproc) cores"
start=$SECONDS
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 bash -c 'cd /work/main && "$@"' bash "${cmd[@]}" || status=$?
echo "fresh root: ${cmd[*]} ended with $status after $((SECONDS - start)) s"
exit $status
