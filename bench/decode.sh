#!/usr/bin/env bash
# Times flac2wav against the reference flac tool on the same 5-minute 16-bit
# stereo 44.1 kHz file, all in one run (the machines are shared and noisy, so
# only ratios measured side by side mean anything), and reports peak memory.
# Goals: flac2wav at most 1.10 x `flac -t` (decode and MD5 check, no output)
# and at most 1.0 x `flac -d`; peak RSS under 16 MiB. Exits 1 if one is missed.
#
# usage: bench/decode.sh BIN   (BIN: the folder holding flac2wav)
#        ROUNDS=25 RUNS=2 bench/decode.sh build/release/bin
set -euo pipefail
bin=${1:?usage: bench/decode.sh BIN}
rounds=${ROUNDS:-15}
runs=${RUNS:-1} # per command and round
flac2wav=$(cd "$bin" && pwd)/flac2wav
for tool in "$flac2wav" flac ffmpeg hyperfine /usr/bin/time; do
  command -v "$tool" > /dev/null || { echo "decode.sh: $tool is missing (scripts/bootstrap)" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/decant-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# Two tones a channel plus a little noise: compresses and decodes like music
# rather than like silence or white noise.
echo "decode.sh: making 300 s of 16-bit stereo 44.1 kHz audio"
ffmpeg -v error -f lavfi \
  -i "aevalsrc='0.4*sin(2*PI*220*t)+0.2*sin(2*PI*331*t)+0.05*(random(0)*2-1)|0.4*sin(2*PI*277*t)+0.2*sin(2*PI*415*t)+0.05*(random(1)*2-1)':s=44100:d=300" \
  -f s16le -c:a pcm_s16le test.raw
flac -s --force-raw-format --endian=little --sign=signed --channels=2 --bps=16 \
  --sample-rate=44100 -o test.flac test.raw
rm test.raw

echo "decode.sh: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
# The three commands take turns in short rounds, so that load from other
# processes falls on all of them alike; each ratio is the median over rounds.
for round in $(seq "$rounds"); do
  echo "decode.sh: round $round of $rounds"
  hyperfine --shell=none --style none --warmup 1 --runs "$runs" \
    --prepare 'rm -f flac2wav.wav' --prepare true --prepare 'rm -f flac.wav' \
    --export-csv "round$round.csv" \
    --command-name flac2wav "$flac2wav test.flac flac2wav.wav" \
    --command-name 'flac -t' 'flac -s -t test.flac' \
    --command-name 'flac -d' 'flac -s -f -d -o flac.wav test.flac'
done

# Speed means nothing if the output is wrong: same samples as the reference.
cmp -s <(tail -c +45 flac2wav.wav) <(tail -c +45 flac.wav) \
  || { echo "decode.sh: flac2wav's samples differ from flac -d's" >&2; exit 1; }

/usr/bin/time -v "$flac2wav" test.flac flac2wav.wav 2> rss.txt
peak_kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' rss.txt)

# round*.csv: command,mean,stddev,median,user,system,min,max (seconds)
awk -F, -v peak="$peak_kib" '
  function median(values, count,    sorted, i, j, swap) {
    for (i = 1; i <= count; i++) sorted[i] = values[i]
    for (i = 2; i <= count; i++)
      for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
        swap = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = swap
      }
    return count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
  }
  FNR == 1 { rounds++ }
  FNR > 1 { wall[$1, rounds] = $4; cpu[$1] += $5 + $6 }
  END {
    for (r = 1; r <= rounds; r++) {
      ours[r] = wall["flac2wav", r]; test[r] = wall["flac -t", r]; decode[r] = wall["flac -d", r]
      test_ratios[r] = ours[r] / test[r]; decode_ratios[r] = ours[r] / decode[r]
    }
    test_ratio = median(test_ratios, rounds)
    decode_ratio = median(decode_ratios, rounds)
    printf "\nmedian wall time: flac2wav %.3f s, flac -t %.3f s, flac -d %.3f s\n", \
      median(ours, rounds), median(test, rounds), median(decode, rounds)
    printf "mean CPU time (user+sys): flac2wav %.3f s, flac -t %.3f s, flac -d %.3f s\n", \
      cpu["flac2wav"] / rounds, cpu["flac -t"] / rounds, cpu["flac -d"] / rounds
    printf "flac2wav / flac -t: %.3f (goal <= 1.10) %s\n", test_ratio, \
      test_ratio <= 1.10 ? "met" : "MISSED"
    printf "flac2wav / flac -d: %.3f (goal <= 1.00) %s\n", decode_ratio, \
      decode_ratio <= 1.00 ? "met" : "MISSED"
    printf "flac2wav peak RSS: %.1f MiB (goal < 16) %s\n", peak / 1024, \
      peak < 16 * 1024 ? "met" : "MISSED"
    exit !(test_ratio <= 1.10 && decode_ratio <= 1.00 && peak < 16 * 1024)
  }' round*.csv
