#!/bin/sh
# Started from the desktop menu: the draw folder "抽奖名单" is looked for in the
# working folder, which is the user's home.
cd "$HOME" || exit 1
exec /usr/lib/luckydraw/luckydraw "$@"
