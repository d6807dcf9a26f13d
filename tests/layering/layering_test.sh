#!/bin/sh
# Include arrows point down. The platform services, the schedule records and the common code
# name no folder above them, and the encoder server and the core share only the encoder's
# protocol folder. Run with the source tree as the only argument; every offending line is listed.
src=${1:?source folder}
failures=0

# $1: folder under the source tree, $2: extended regex of the include paths it may name.
only() {
  offending=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$src/$1" \
                --include='*.h' --include='*.cpp' |
              grep -E '"[^"]*/[^"]*"' |
              grep -vE "#[[:space:]]*include[[:space:]]*\"($2)[^\"]*\"")
  if [ -n "$offending" ]; then
    echo "$1 names a folder it must not:" >&2
    echo "$offending" | sed "s|^$src/|  |" >&2
    failures=$((failures + 1))
  fi
}

only common 'common/'
only core/platform 'common/|core/platform/|mixer/interfaces/'
only core/schedule 'common/|core/platform/|core/schedule/'
only encoder 'common/|encoder/'
only core 'common/|core/|mixer/|encoder/protocol/'

# A relative path would walk past every rule above.
relative=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*\.\./' "$src" \
             --include='*.h' --include='*.cpp' --exclude-dir=build)
if [ -n "$relative" ]; then
  echo "relative include paths:" >&2
  echo "$relative" | sed "s|^$src/|  |" >&2
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] || exit 1
echo "layering: ok"
