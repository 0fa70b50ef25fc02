#!/usr/bin/env bash
# Times the whole varnel-build process against loading the same pictures with IMG_Load
# alone (bin/load_pictures_only, one picture after another), in one run: the two commands
# alternate, and each ratio is the median of the ratios of neighbouring runs. Wall time,
# CPU time (user + system) and peak memory are printed for every case.
#
# Usage: bench/build-vs-load.sh BUILD_DIR [RUNS] [-- OTHER_VARNEL_BUILD...]
#   BUILD_DIR  a build holding bin/varnel-build, bin/load_pictures_only, bin/time_process
#              and the viewer
#   RUNS       runs of each command in each case (default 5)
#   OTHER...   other varnel-build executables (an older build, say), timed in the same
#              run beside BUILD_DIR's, so that their ratios compare directly
# Environment:
#   VARNEL_BENCH_PICTURES  where the pictures are made once and kept
#                          (default BUILD_DIR/bench/pictures)
#   VARNEL_BENCH_SETS      the picture sets to time, of "camera synthetic" (default both)
#
# Two sets of JPEG pictures, 20 of 1920 x 1080 and 5 of 4000 x 3000 each:
# - camera: as a camera writes them: 4:2:0 chroma, quality 85 to 95, a plasma with fine
#   sensor-like noise (1.5 to 3.5 bits a pixel);
# - synthetic: a plasma at quality 90 with full-resolution chroma, the set of earlier
#   figures (it costs more to decode, which flatters a build's ratio).
# Every show gives each picture effect 6, sizing 2 and a caption, with thumbnails on.
set -euo pipefail

usage="usage: build-vs-load.sh BUILD_DIR [RUNS] [-- OTHER_VARNEL_BUILD...]"
build_dir=$(realpath "${1:?$usage}")
runs=${2:-5}
shift $(($# < 2 ? $# : 2))
[[ ${1:-} == -- ]] && shift
builders=("$build_dir/bin/varnel-build")
for other in "$@"; do builders+=("$(realpath "$other")"); done
loader=$build_dir/bin/load_pictures_only
timer=$build_dir/bin/time_process
template=$build_dir/bin/Src.res
for program in "${builders[@]}" "$loader" "$timer"; do
  [[ -x $program ]] ||
    { echo "missing $program (build varnel-build, load_pictures_only and time_process)" >&2; exit 1; }
done
[[ -f $template ]] || template=$build_dir/viewer/Src.res
sets=${VARNEL_BENCH_SETS:-camera synthetic}

pictures=${VARNEL_BENCH_PICTURES:-$build_dir/bench/pictures}
mkdir -p "$pictures"
# make_picture SET SEED SIZE OUTPUT: made once, then kept.
make_picture() {
  [[ -s $4 ]] && return
  local quality=$((85 + ($2 * 7) % 11))
  case $1 in
    camera) convert-im6.q16 -seed "$2" -size "$3" plasma:fractal -attenuate 0.3 +noise Gaussian \
              -sampling-factor 2x2 -quality "$quality" "JPEG:$4.part" ;;
    synthetic) convert-im6.q16 -seed "$2" -size "$3" plasma:fractal -quality 90 "JPEG:$4.part" ;;
  esac
  mv "$4.part" "$4"
}
export -f make_picture
for set in $sets; do
  {
    for i in $(seq 1 20); do echo "$set $i 1920x1080 $pictures/$set-1080-$i.jpg"; done
    for i in $(seq 1 5); do echo "$set $((100 + i)) 4000x3000 $pictures/$set-4000-$i.jpg"; done
  } | xargs -P "$(nproc)" -L 1 bash -c 'make_picture "$@"' _
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Appends "wall user system peak_KiB" of one run of a command to the file $1.
measure() {
  local into=$1; shift
  "$timer" "$into" "$@" >/dev/null 2>"$work/stderr" ||
    { echo "failed: $*" >&2; cat "$work/stderr" >&2; exit 1; }
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Columns of a measure file: wall, cpu (user + system), peak in MiB.
wall_of() { awk '{ print $1 }' "$1"; }
cpu_of() { awk '{ print $2 + $3 }' "$1"; }
peak_of() { awk '{ if ($4 > p) p = $4 } END { printf "%d", p / 1024 }' "$1"; }
# The median of the run-by-run ratios of column $3 (wall or cpu) of two measure files.
ratio() { paste -d' ' <("$3"_of "$1") <("$3"_of "$2") | awk '{ print $1 / $2 }' | median; }

declare -A peaks
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
  # Extra options are timed with the executables whose --help names them.
  local timed="" b
  for b in ${!builders[*]}; do
    [[ -z $extra || ${helps[$b]} == *"${extra%% *}"* ]] && timed+=" $b"
  done
  for b in $timed; do : >"$work/build-$b"; done
  for _ in $(seq 1 "$runs"); do
    measure "$work/load" "$loader" "${files[@]}"
    for b in $timed; do
      (cd "$work" && measure "$work/build-$b" "${builders[$b]}" $extra --template "$template" \
        -o "$work/slide.gba" "${show[@]}")
    done
  done
  printf '%-38s IMG_Load wall %6.3f s  cpu %6.3f s  peak %4d MiB\n' "$name" \
    "$(wall_of "$work/load" | median)" "$(cpu_of "$work/load" | median)" "$(peak_of "$work/load")"
  for b in $timed; do
    local file=$work/build-$b
    printf '  %-36s wall %6.3f s  ratio %5.2f   cpu %6.3f s  ratio %5.2f   peak %4d MiB\n' \
      "${builders[$b]}" "$(wall_of "$file" | median)" "$(ratio "$file" "$work/load" wall)" \
      "$(cpu_of "$file" | median)" "$(ratio "$file" "$work/load" cpu)" "$(peak_of "$file")"
  done
  peaks[$name]=$(peak_of "$work/build-0")
}

# The peak memory of a case with the default workers against the same case with --jobs 1.
peak_ratio() {
  [[ -n ${peaks[$1]:-} && -n ${peaks[$2]:-} ]] || return 0
  printf '  peak memory, default workers / --jobs 1: %d / %d MiB = %.2f\n' "${peaks[$1]}" \
    "${peaks[$2]}" "$(awk -v a="${peaks[$1]}" -v b="${peaks[$2]}" 'BEGIN { print a / b }')"
}

echo "$(date -u '+%F %T') UTC, $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "medians of $runs runs; ratio = varnel-build / IMG_Load of the same pictures, run by run"
echo "each picture: effect 6, sizing 2, a caption; thumbnails on"
helps=()
for b in ${!builders[*]}; do helps[b]=$("${builders[$b]}" --help); done
has_jobs=false
[[ ${helps[0]} == *--jobs* ]] && has_jobs=true
has_fit=false
[[ ${helps[0]} == *--default-fit* ]] && has_fit=true
for set in $sets; do
  twenty=("$pictures/$set"-1080-{1..20}.jpg)
  hundred=()
  for _ in 1 2 3 4 5; do hundred+=("${twenty[@]}"); done
  large=("$pictures/$set"-4000-{1..5}.jpg)
  echo
  echo "== $set pictures"
  sizing=2
  extra="" bench_case "$set: 20 x 1920x1080" "${twenty[@]}"
  extra="" bench_case "$set: 100 x 1920x1080" "${hundred[@]}"
  # Pictures kept in proportion: the same show with another fit, beside its ratio.
  if $has_fit; then
    extra="--default-fit whole" bench_case "$set: 100 x 1920x1080, Whole Picture" "${hundred[@]}"
    extra="--default-fit fill" bench_case "$set: 100 x 1920x1080, Fill Screen" "${hundred[@]}"
  fi
  extra="" bench_case "$set: 5 x 4000x3000" "${large[@]}"
  if $has_jobs; then
    extra="--jobs 1" bench_case "$set: 20 x 1920x1080, --jobs 1" "${twenty[@]}"
    extra="--jobs 1" bench_case "$set: 100 x 1920x1080, --jobs 1" "${hundred[@]}"
    extra="--jobs 1" bench_case "$set: 5 x 4000x3000, --jobs 1" "${large[@]}"
    peak_ratio "$set: 5 x 4000x3000" "$set: 5 x 4000x3000, --jobs 1"
  fi
  [[ $set == camera ]] || continue
  project=1 extra="" bench_case "$set: 20 x 1920x1080 from a project" "${twenty[@]}"
  # A full-size build of one large picture: its peak memory beside that of one decoded copy.
  sizing=1
  extra="" bench_case "$set: 1 x 4000x3000, sizing 1" "${large[0]}"
done
echo
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
