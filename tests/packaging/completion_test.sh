#!/usr/bin/env bash
# Completes command lines of varnel-build and varnel-play with the package's bash
# completion, as bash does on Tab: options, the values of --effect, --sizing and --fit,
# keys after --press FRAME:, and the files each argument takes.
# Usage: completion_test.sh COMPLETION_DIR
set -uo pipefail
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "bash-completion is not installed"; exit 77; }
completions=$(realpath "$1")
failures=0

# shellcheck disable=SC1090
source "$framework"
source "$completions/varnel-build"
source "$completions/varnel-play"
compopt() { :; }  # only bash itself may change the options of a completion in progress

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
mkdir shows
touch a.png B.JPG c.jpeg d.gif e.bmp show.vrn UP.VRN notes.txt slide.gba shot.png Src.res

# Completes the words as readline splits them (at '=' and ':' too), the last one being the
# word under the cursor; prints the candidates one a line, sorted.
candidates() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_LINE=${COMP_LINE// = /=}
  COMP_LINE=${COMP_LINE// : /:}
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  case $1 in
    varnel-build) _varnel_build ;;
    varnel-play) _varnel_play ;;
  esac
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local want=$1
  shift
  local got
  got=$(candidates "$@" | tr '\n' ' ')
  if [ "$got" != "$want" ]; then
    echo "completing '$*': got '$got', want '$want'"
    failures=$((failures + 1))
  fi
}

expect "--fit= " varnel-build --fi
expect "--no-key-use " varnel-build --no-k
expect "--key-use " varnel-build --key
expect "--no-text-display --no-thumbnails --no-time-limit " varnel-build --no-t
expect "fill stretch whole " varnel-build --fit ""
expect "whole " varnel-build --fit = w
expect "fill " varnel-build a.png --default-fit f
expect "0 1 2 3 4 5 6 7 8 " varnel-build --effect ""
expect "0 1 2 " varnel-build --sizing-override = ""
expect "B.JPG UP.VRN a.png c.jpeg d.gif e.bmp shot.png show.vrn shows " varnel-build ""
expect "show.vrn shows " varnel-build --save-project s
expect "slide.gba " varnel-build -o sl
expect "Src.res " varnel-build --template S

expect "--frames= --help --press= --screenshot= " varnel-play --
expect "shows slide.gba " varnel-play s
expect "shot.png shows " varnel-play slide.gba --screenshot sh
# Readline completes the word after the colon.
expect "Select Start " varnel-play slide.gba --press 12 : S

[ "$failures" -eq 0 ] || exit 1
echo "completion: every case completes"
