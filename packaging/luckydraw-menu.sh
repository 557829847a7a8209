#!/bin/sh
# Started from the desktop menu: the program works in the user's home and reads
# the draw folder ~/抽奖名单. On a first start there is no such folder, so the
# demo draw folder is copied there and the demo is ready to draw; a folder that
# exists (or anything else of that name) is left exactly as it is.
#
# The program and the demo are found beside this script (…/lib/luckydraw and
# …/share/luckydraw), so an unpacked package tree works wherever it lies.
here=$(cd "$(dirname "$0")" && pwd) || exit 1
program="$here/luckydraw"
demo="$here/../../share/luckydraw/抽奖名单"

cd "$HOME" || exit 1
folder="抽奖名单"

if [ ! -e "$folder" ] && [ ! -L "$folder" ]; then
  # Copy into a hidden scratch folder first and move it into place in one step,
  # so a copy cut short (a full disk) never leaves a half folder that later
  # starts would take for the user's own.
  # Whatever goes wrong, the program still starts: its error box then names
  # the missing file.
  if scratch=$(mktemp -d ".抽奖名单.XXXXXX"); then
    if cp -R "$demo" "$scratch/$folder" && mv -T "$scratch/$folder" "$folder"; then
      rmdir "$scratch"
    else
      echo "luckydraw-menu: could not copy the demo draw folder $demo to $HOME/$folder" >&2
      rm -rf "$scratch"
    fi
  fi
fi

exec "$program" "$@"
