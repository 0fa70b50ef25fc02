#!/usr/bin/env bash
# Photographs the editor's main window under a virtual X server.
#
#   tools/window-screenshot.sh [--build DIR] [--project FILE.vrn] [--pictures DIR]
#                              [--click N] [--caption TEXT] [--fit N] [--as-on-console]
#                              [--build-show] [--during-build BUILDING.png]
#                              [--play PLAYER.png] [--play-frames N] [--play-caption]
#                              [--question QUESTION.png] [--screen WxH] [--font-dpi N] OUT.png
#
# --project loads a project first; --pictures adds every picture of DIR (dropped onto the
# list, which is what the Add dialog feeds too), --click N clicks row N (from 0), --caption
# types a caption into the caption box afterwards, --fit N chooses fit N (0 Stretch, 1 Whole
# Picture, 2 Fill Screen) for the clicked row and --as-on-console ticks the preview's check
# box; --build-show then runs Build SlideShow
# and --during-build photographs the window while it builds; --play chooses SlideShow >
# Play and photographs the player window N frames into the show (600, about ten seconds,
# unless --play-frames says otherwise), --play-caption pressing Select first to show the
# slide's caption; --question then chooses Quit and photographs the
# question about the unsaved show. --screen sets the virtual screen's size (1280x1024 unless
# given; 800x600 shows the layout shrunk to fit), --font-dpi the resolution Qt lays fonts
# out for (144 for a large-font desktop). The window runs in a fresh work directory. With no window manager to
# draw the title bar, the title the window gives the window system is written above it.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
pictures=""
click=""
caption=""
question=""
build_show=""
during_build=""
project=""
play=""
play_frames=""
play_caption=""
screen=1280x1024
font_dpi=""
fit=""
console=""
while [ $# -gt 1 ]; do
  case "$1" in
    --build) build_dir=$2; shift 2 ;;
    --pictures) pictures=$2; shift 2 ;;
    --click) click=$2; shift 2 ;;
    --caption) caption=$2; shift 2 ;;
    --question) question=$(realpath -m "$2"); shift 2 ;;
    --project) project=$(realpath "$2"); shift 2 ;;
    --play) play=$(realpath -m "$2"); shift 2 ;;
    --play-frames) play_frames=$2; shift 2 ;;
    --play-caption) play_caption=yes; shift ;;
    --build-show) build_show=yes; shift ;;
    --during-build) during_build=$(realpath -m "$2"); build_show=yes; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --font-dpi) font_dpi=$2; shift 2 ;;
    --fit) fit=$2; shift 2 ;;
    --as-on-console) console=yes; shift ;;
    *) echo "window-screenshot: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -eq 1 ] || { echo "usage: $0 [--build DIR] [--project P.vrn] [--pictures DIR] [--click N] [--caption TEXT] [--fit N] [--as-on-console] [--build-show] [--during-build B.png] [--play P.png] [--play-frames N] [--play-caption] [--question Q.png] [--screen WxH] [--font-dpi N] OUT.png" >&2; exit 2; }
out=$(realpath -m "$1")
exe=$(realpath "$build_dir/bin/varnel-window-driver")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=(--screenshot "$out")
[ -n "$pictures" ] && args+=(--pictures "$(realpath "$pictures")")
[ -n "$click" ] && args+=(--click "$click")
[ -n "$caption" ] && args+=(--caption "$caption")
[ -n "$question" ] && args+=(--question "$question")
[ -n "$project" ] && args+=(--project "$project")
[ -n "$play" ] && args+=(--play "$play")
[ -n "$play_frames" ] && args+=(--play-frames "$play_frames")
[ -n "$play_caption" ] && args+=(--play-caption yes)
[ -n "$build_show" ] && args+=(--build yes)
[ -n "$during_build" ] && args+=(--during-build "$during_build")
[ -n "$fit" ] && args+=(--fit "$fit")
[ -n "$console" ] && args+=(--as-on-console yes)

cd "$work"
[ -n "$font_dpi" ] && export QT_FONT_DPI=$font_dpi
xvfb-run -a -s "-screen 0 ${screen}x24" "$exe" "${args[@]}"
echo "window-screenshot: wrote $out${during_build:+ and $during_build}${play:+ and $play}${question:+ and $question}"
