#!/usr/bin/env bash
# Runs a command with the system's font folders and soundfonts out of sight, as
# on a system that has none of the font and soundfont packages: only what the
# build tree ships in share/lumina/fonts and share/lumina/soundfonts is found.
#   bash scripts/hide-system-assets.sh ctest --test-dir build --output-on-failure -j1
# Each folder is covered by an empty one in a mount namespace of the command's
# own (unshare); nothing changes for the rest of the machine.
set -euo pipefail
if [ "${1:-}" != --inside ]; then
  # Root makes the namespace itself; anyone else through a user namespace.
  own=()
  [ "$(id -u)" -eq 0 ] || own=(--map-root-user)
  exec unshare --mount "${own[@]}" bash "$0" --inside "$@"
fi
shift
empty=$(mktemp -d)
for folder in /usr/share/fonts /usr/local/share/fonts /usr/share/sounds/sf2 /usr/share/sounds/sf3 \
  /usr/share/soundfonts "$HOME/.fonts" "$HOME/.local/share/fonts"; do
  [ -d "$folder" ] && mount --bind "$empty" "$folder"
done
echo "fonts the system offers now: $(fc-list | wc -l)" >&2
exec "$@"
