#!/usr/bin/env bash
# Times decant-cli importing an album of music-like FLAC files (eight tracks
# of four minutes: noise and tones that FLAC squeezes to about 60%, as it
# does music) into a fresh library against what a user would otherwise
# type: ffmpeg on each file, one process per core. Decant checks every
# file's MD5, decodes every file it encodes back to prove it, and measures
# its loudness (Sound Check); goals as processor-time ratios, Sound Check
# on: ALAC <= 0.70, AAC <= 1.00.
#
# Runs alternate (Decant with Sound Check on, off, ffmpeg, and again) so
# that a burst of other load spoils one run of each rather than all runs of
# one; the best of RUNS is kept. Processor time (user + system of every
# process) hardly moves with other load on a shared machine; wall time is
# printed beside it. So is the median, over the runs, of each run's own
# processor-time ratio: a run's Decant and ffmpeg follow each other within
# seconds, so a drift in a virtual machine's speed over minutes, which
# moves the best of each apart, moves their ratio less. Then compares the sizes of the ALAC files Decant and
# ffmpeg write, for the 16-bit album and a shorter 24-bit one.
#
# usage: bench/pipeline.sh BIN   (BIN: the folder holding decant-cli)
#        RUNS=3 TRACKS=8 SECONDS_EACH=240 bench/pipeline.sh build/release/bin
set -euo pipefail
bin=$(cd "${1:?usage: bench/pipeline.sh BIN}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-3}
tracks=${TRACKS:-8}
seconds=${SECONDS_EACH:-240}
jobs=$(nproc)
for tool in "$bin/decant-cli" "$bin/decant-library" ffmpeg sox metaflac python3; do
  command -v "$tool" > /dev/null || { echo "pipeline.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/decant-pipeline-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "pipeline.sh: making $tracks music-like FLAC files of $seconds s (16-bit), 2 of 60 s (24-bit)"
"$root/scripts/make-album" "$work/album" "$tracks" "$seconds" music 16
"$root/scripts/make-album" "$work/album24" 2 60 music 24
flac_bytes=$(cat "$work"/album/*.flac | wc -c)
pcm_bytes=$((tracks * seconds * 44100 * 4))
echo "pipeline.sh: FLAC holds the album in $((100 * flac_bytes / pcm_bytes))% of its PCM size"
echo "pipeline.sh: $jobs cores, load average $(load) before"

# Prints "wall processor" seconds for one shell command: processor time is
# that of every process it started.
timed() {
  python3 -c '
import resource, subprocess, sys, time
start = time.perf_counter()
subprocess.run(sys.argv[1], shell=True, check=True)
wall = time.perf_counter() - start
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{wall:.3f} {used.ru_utime + used.ru_stime:.3f}")' "$1"
}

decant_prepare() { # LIBRARY SOUNDCHECK SETTINGS...
  local library=$1 sound_check=$2
  shift 2
  rm -rf "$library"
  "$bin/decant-library" --library "$library" settings "$@" --sound-check "$sound_check" > /dev/null
}
decant_run() { # LIBRARY ALBUM
  printf '%q --library %q %q > /dev/null' "$bin/decant-cli" "$1" "$2"
}
ffmpeg_run() { # ALBUM OUT CODEC-OPTIONS
  printf 'cd %q && ls *.flac | xargs -P %d -I{} ffmpeg -v error -y -i {} %s %q/{}.m4a' \
    "$1" "$jobs" "$3" "$2"
}
sizes() { find "$@" -name '*.m4a' -printf '%s\n' | awk '{ s += $1 } END { print s }'; }

declare -A best_wall best_cpu run_cpu
keep_best() { # NAME "wall cpu"
  local wall=${2% *} cpu=${2#* }
  run_cpu[$1]="${run_cpu[$1]:-} $cpu"
  if [ -z "${best_wall[$1]:-}" ] || python3 -c "import sys; sys.exit(not $wall < ${best_wall[$1]})"; then
    best_wall[$1]=$wall
  fi
  if [ -z "${best_cpu[$1]:-}" ] || python3 -c "import sys; sys.exit(not $cpu < ${best_cpu[$1]})"; then
    best_cpu[$1]=$cpu
  fi
}

for codec in alac aac; do
  if [ "$codec" = aac ]; then
    settings=(--encoder aac --bitrate 256) ffmpeg_codec="-c:a aac -b:a 256k"
  else
    settings=(--encoder alac) ffmpeg_codec="-c:a alac"
  fi
  for ((run = 1; run <= runs; run++)); do
    for sound_check in on off; do
      decant_prepare "$work/library" "$sound_check" "${settings[@]}"
      keep_best "$codec-$sound_check" "$(timed "$(decant_run "$work/library" "$work/album")")"
    done
    rm -rf "$work/ffmpeg" && mkdir -p "$work/ffmpeg"
    keep_best "$codec-ffmpeg" "$(timed "$(ffmpeg_run "$work/album" "$work/ffmpeg" "$ffmpeg_codec")")"
    echo "pipeline.sh: $codec run $run of $runs done, load average $(load)"
  done
  if [ "$codec" = alac ]; then
    alac16=("$(sizes "$work/library")" "$(sizes "$work/ffmpeg")")
  fi
done

rm -rf "$work/ffmpeg" && mkdir -p "$work/ffmpeg"
decant_prepare "$work/library" off --encoder alac
eval "$(decant_run "$work/library" "$work/album24")"
eval "$(ffmpeg_run "$work/album24" "$work/ffmpeg" "-c:a alac")"
alac24=("$(sizes "$work/library")" "$(sizes "$work/ffmpeg")")

echo
echo "pipeline.sh: best of $runs, $tracks x $seconds s, $jobs cores, load average $(load) after"
printf '%-5s %-12s %18s %18s %16s %s\n' codec "Sound Check" "Decant cpu / wall" "ffmpeg cpu / wall" \
  "ratio cpu / wall" " cpu ratio, median of runs"
for codec in alac aac; do
  for sound_check in on off; do
    key=$codec-$sound_check ref=$codec-ffmpeg
    python3 -c '
import statistics, sys
codec, check = sys.argv[1:3]
cpu, wall, ref_cpu, ref_wall = [float(v) for v in sys.argv[3:7]]
paired = statistics.median(float(ours) / float(theirs)
                           for ours, theirs in zip(sys.argv[7].split(), sys.argv[8].split()))
print(f"{codec:5} {check:12} {cpu:8.2f} / {wall:6.2f} s {ref_cpu:8.2f} / {ref_wall:6.2f} s"
      f" {cpu / ref_cpu:7.2f} / {wall / ref_wall:5.2f} {paired:8.2f}")' "$codec" "$sound_check" \
      "${best_cpu[$key]}" "${best_wall[$key]}" "${best_cpu[$ref]}" "${best_wall[$ref]}" \
      "${run_cpu[$key]}" "${run_cpu[$ref]}"
  done
done
echo
echo "ALAC sizes, Decant against ffmpeg (its default level):"
python3 -c '
import sys
for name, ours, theirs in (("16-bit", *sys.argv[1:3]), ("24-bit", *sys.argv[3:5])):
    print(f"  {name}: {int(ours)} bytes vs {int(theirs)}: {100 * (int(ours) / int(theirs) - 1):+.2f}%")
' "${alac16[@]}" "${alac24[@]}"
