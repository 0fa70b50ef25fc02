#!/usr/bin/env bash
# Times the whole varnel-build process against loading the same pictures with IMG_Load
# alone, in one run: each case several times, alternating, medians and ratios printed,
# with the peak memory of each process.
#
# Usage: bench/build-vs-load.sh BUILD_DIR [RUNS] [-- OTHER_VARNEL_BUILD...]
# Other varnel-build executables (an older build, say) are timed in the same run beside
# BUILD_DIR's, so their ratios compare directly.
set -euo pipefail

build_dir=$(realpath "${1:?usage: build-vs-load.sh BUILD_DIR [RUNS] [-- OTHER_VARNEL_BUILD...]}")
runs=${2:-5}
shift $(($# < 2 ? $# : 2))
[[ ${1:-} == -- ]] && shift
builders=("$build_dir/bin/varnel-build")
for other in "$@"; do builders+=("$(realpath "$other")"); done
loader=$build_dir/bin/load_pictures_only
template=$build_dir/bin/Src.res
for program in "${builders[@]}" "$loader"; do
  [[ -x $program ]] || { echo "missing $program (build varnel-build and load_pictures_only)" >&2; exit 1; }
done
[[ -f $template ]] || template=$build_dir/viewer/Src.res

pictures=${VARNEL_BENCH_PICTURES:-$build_dir/bench/pictures}
mkdir -p "$pictures"
make_picture() {  # seed, size, output
  [[ -s $3 ]] || convert-im6.q16 -seed "$1" -size "$2" plasma:fractal -quality 90 "JPEG:$3"
}
for i in $(seq 1 20); do make_picture "$i" 1920x1080 "$pictures/photo-$i.jpg"; done
for i in $(seq 1 5); do make_picture "$((100 + i))" 4000x3000 "$pictures/large-$i.jpg"; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Prints "seconds peak_KiB" of one run of a command.
measure() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/stderr" ||
    { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
  cat "$work/time"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One case: NAME, then the pictures; extra varnel-build options in $extra. With $project
# set, the show is built from a project file of the same pictures and options.
bench_case() {
  local name=$1; shift
  local files=("$@") show=()
  for file in "${files[@]}"; do show+=(--effect 6 --sizing "$sizing" --caption "A caption" "$file"); done
  if [[ -n ${project:-} ]]; then
    "${builders[0]}" --template "$template" -o "$work/saving.gba" --save-project "$work/show.vrn" \
      "${show[@]}" >/dev/null 2>&1 || true
    [[ -s $work/show.vrn ]] || { echo "could not save $work/show.vrn" >&2; exit 1; }
    show=("$work/show.vrn")
  fi
  : >"$work/load"
  # Options only the first executable knows are timed with it alone.
  local timed=${!builders[*]}
  [[ -n $extra ]] && timed=0
  for b in $timed; do : >"$work/build-$b"; done
  for _ in $(seq 1 "$runs"); do
    measure "$loader" "${files[@]}" >>"$work/load"
    for b in $timed; do
      (cd "$work" && measure "${builders[$b]}" $extra --template "$template" -o "$work/slide.gba" \
        "${show[@]}") >>"$work/build-$b"
    done
  done
  local load; load=$(cut -d' ' -f1 "$work/load" | median)
  printf '%-34s IMG_Load %7.3f s  peak %6d MiB\n' "$name" "$load" \
    "$(($(cut -d' ' -f2 "$work/load" | sort -n | tail -1) / 1024))"
  for b in $timed; do
    local t; t=$(cut -d' ' -f1 "$work/build-$b" | median)
    printf '    %-40s %7.3f s  ratio %5.2f  peak %6d MiB\n' "${builders[$b]}" "$t" \
      "$(awk -v a="$t" -v b="$load" 'BEGIN { print a / b }')" \
      "$(($(cut -d' ' -f2 "$work/build-$b" | sort -n | tail -1) / 1024))"
  done
}

twenty=("$pictures"/photo-{1..20}.jpg)
hundred=()
for _ in 1 2 3 4 5; do hundred+=("${twenty[@]}"); done
large=("$pictures"/large-{1..5}.jpg)

echo "medians of $runs runs; ratio = varnel-build time / IMG_Load-only time"
echo "each picture: effect 6, sizing 2, a caption; thumbnails on"
sizing=2
extra="" bench_case "20 x 1920x1080" "${twenty[@]}"
extra="" bench_case "100 x 1920x1080" "${hundred[@]}"
extra="" bench_case "5 x 4000x3000" "${large[@]}"
project=1 extra="" bench_case "20 x 1920x1080 from a project file" "${twenty[@]}"
# Pictures kept in proportion: the same show with another fit, to set beside its ratio.
if "${builders[0]}" --help | grep -q -- --default-fit; then
  extra="--default-fit whole" bench_case "100 x 1920x1080, Whole Picture" "${hundred[@]}"
  extra="--default-fit fill" bench_case "100 x 1920x1080, Fill Screen" "${hundred[@]}"
fi
if "${builders[0]}" --help | grep -q -- --jobs; then
  extra="--jobs 1" bench_case "20 x 1920x1080, --jobs 1" "${twenty[@]}"
  extra="--jobs 1" bench_case "100 x 1920x1080, --jobs 1" "${hundred[@]}"
  extra="--jobs 1" bench_case "5 x 4000x3000, --jobs 1" "${large[@]}"
fi
# A full-size build of one large picture: its peak memory beside that of one decoded copy.
sizing=1
extra="" bench_case "1 x 4000x3000, sizing 1" "${large[0]}"
