#!/usr/bin/env bash
# Fails when a source file includes a folder of ours that its own folder may
# not depend on. Each folder may include itself and the folders listed for it
# (the libraries below it, directly or through another).
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [base]=""
  [textformat]="base"
  [compiler]="base textformat"
  [packets]="base"
  [serial]="base packets"
  [engine]="base textformat compiler packets serial"
  [editor]="base textformat compiler packets serial engine"
  [listmatch]="base textformat compiler packets serial engine editor"
  [document]="base textformat compiler packets serial engine editor listmatch"
  [cli]="base textformat compiler packets serial engine editor listmatch document"
  [app]="base textformat compiler packets serial engine editor listmatch document"
  [tools]="base textformat compiler packets serial engine"
)

status=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%/*}
    [ "$target" = "$folder" ] && continue
    [[ " ${allowed[$folder]} " == *" $target "* ]] && continue
    echo "$file:$line: $folder/ may not include $target/ (${include#\#include })"
    status=1
  done < <(grep -rnE '^\s*#\s*include\s+"[a-z_]+/' "$folder" --include='*.h' --include='*.cpp' || true)
done
[ $status -eq 0 ] && echo "layering: every include follows the folder graph"
exit $status
