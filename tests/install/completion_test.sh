#!/bin/bash
# The bash completion of tolvane-cli completes commands, the subcommands of schedule, the
# options of a command (read from the program's own --help) and the values some options take.
#   completion_test.sh SOURCE_DIR BIN_DIR
set -eu
. "$(dirname "$0")/checks.sh"
export PATH="$2:$PATH"
. "$1/cli/tolvane-cli.bash"

# complete WORDS...: the completions of the last word.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  _tolvane_cli
  printf '%s\n' "${COMPREPLY[@]}"
}
has() { echo "$1" | grep -qx -- "$2" || fail "completing \"$3\" does not offer $2: $(echo $1)"; }

has "$(complete_words tolvane-cli sch)" schedule "tolvane-cli sch"
has "$(complete_words tolvane-cli schedule p)" postpone "tolvane-cli schedule p"
has "$(complete_words tolvane-cli schedule add Name --da)" --days "schedule add --da"
has "$(complete_words tolvane-cli schedule add Name --days mon --split-)" --split-every "schedule add --split-"
has "$(complete_words tolvane-cli schedule edit Name --ren)" --rename "schedule edit --ren"
has "$(complete_words tolvane-cli record --)" --for "record --"
has "$(complete_words tolvane-cli schedule add Name --format m)" mp3 "--format m"
has "$(complete_words tolvane-cli schedule add Name --when-done hib)" hibernate-quit "--when-done hib"
[ -z "$(complete_words tolvane-cli schedule add Name --ren)" ] || fail "schedule add offers --rename"
finish completion
