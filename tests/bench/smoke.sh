#!/usr/bin/env bash
# Runs scripts/bench.sh --quick on the given build tree and checks the tables it prints: every
# case, start-up and power row present, with numbers that make sense whatever the machine's speed.
#   tests/bench/smoke.sh BUILD_DIR
set -euo pipefail
out=$(BUILD_DIR=$1 "$(dirname "$0")/../../scripts/bench.sh" --quick --no-build 2>&1) ||
  { echo "$out"; echo "FAIL: scripts/bench.sh failed"; exit 1; }
echo "$out"
echo "$out" | awk '
  function fail(why) { print "FAIL: " why; bad = 1 }
  # case rows: title ... ms/frame range frames/s x-base cpu-ms instr calls
  / clear \+ swap | desktop \+ scroller | logo zooming in | stars, falling desktop/ && NF >= 8 {
    rows++
    if (!($(NF - 6) > 0 && $(NF - 2) > 0)) fail("no frame time: " $0)
  }
  # power rows: platform size phase-number phase paced frames/s CPU/s X/s Wine/s 60f-CPU /60f
  /^(Linux|Wine) +[0-9]+x[0-9]+ +[02] (desktop|stars) / {
    power[$1 " " $4]++
    if (!($5 > 0 && $6 > 0 && $7 > 0 && $10 > 0 && $11 > 0)) fail("power: " $0)
    if (($1 == "Wine") != ($9 != "-")) fail("Wine/s only for Wine: " $0)
    # Paced to the display: no more frames than it shows, over a few seconds.
    if (!($6 <= $5 * 1.1 + 1)) fail("more frames than the display rate: " $0)
  }
  END {
    if (rows != 4) fail(rows + 0 " case rows instead of 4")
    split("Linux desktop,Linux stars,Wine desktop,Wine stars", want, ",")
    for (i in want) if (power[want[i]] != 1) fail(power[want[i]] + 0 " power rows for " want[i])
    exit bad
  }'
